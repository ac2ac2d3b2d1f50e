#include "help_text.h"

#include <array>
#include <string_view>

namespace kubiq {

namespace {

constexpr std::array<std::string_view, 20> kLines{
    "KUBIQ  V1.2",
    "Ein Spiel der KUBIQ-Autoren",
    "Kontakt: kubiq@example.org",
    "Web: https://kubiq.example.org/",
    "",
    "Freie Software unter der MIT-Lizenz",
    "",
    "Diese Programm ist die Umsetzung des bekannten Würfelspieles.",
    "Wenn Sie auf 'Würfeln' klicken, werden diese gemischt. Dann können Sie durch "
    "Klick auf 'halten' unterhalb des jeweiligen Würfels den Würfel halten, d.h. "
    "beim nächsten Würfeln wird er nicht mitgewürfelt. Das Halten können Sie "
    "beliebig aktivieren und deaktivieren. Ein roter Würfelhintergrund zeigt an, "
    "daß der Würfel gehalten ist. Das Ziel ist, nach max. 3 Würfelrunden eine "
    "bestimmte Augenkombination zu erreichen:",
    "   'Einer, Zweier, ...': Möglichst viele Einer, Zweier, ...",
    "   'Dreierpasch, Viererpasch': 3 bzw. 4 gleiche mit möglichst hoher Augenzahl",
    "   'Fullhouse': 2 gleiche plus 3 gleiche",
    "   'Kl. bzw. Gr. Straße': 4 bzw. 5 Würfel in aufsteigender Reihenfolge",
    "   'Kubiq': 5 gleiche mit beliebiger Augenzahl",
    "   'Chance': Beliebige Augenzahlen, die addiert werden",
    "Unter 'Tip' steht die erreichbare Punktezahl der im Moment liegenden Würfel. "
    "Wenn Sie nun bei den Punkten auf 'halten' klicken, wählen Sie damit den "
    "aktuellen Würfelstand und die entsprechenden Punkte werden in die Liste "
    "eingetragen. Nach 3 Würfelversuchen MÜSSEN Sie wählen.",
    "Wenn Sie in der oberen Hälfte 65 Punkte und in der unteren 200 Punkte "
    "erreichen, bekommen Sie jeweils noch Bonuspunkte. Wenn alle möglichen Listenpunkte "
    "gewählt wurden, ist eine Spielrunde beendet. Dann können Sie sich hier den "
    "Spielstand ansehen.",
    "",
    "Spielstand:",
    "------------------------------------------------------------",
};

} // namespace

std::string helpText(const std::string& spielstandText) {
    std::string text;
    text.reserve(2048 + spielstandText.size());
    for (std::string_view line : kLines) {
        text += line;
        text += "\r\n";
    }
    text += spielstandText;
    return text;
}

} // namespace kubiq
