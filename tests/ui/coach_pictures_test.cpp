// Each view of the coach as drawn, against a reference image kept beside the tests: the "Rat"
// page, the review with its chart, the statistics, the practice board and the board dialog, in
// the states that cover what each can show, at the ratio the run was started with
// (QT_SCALE_FACTOR 1 or 2). A difference writes the actual image and a difference image to the
// build tree and says how many pixels differ and where. After an intended change,
// scripts/update-pictures draws the references anew.
//
// The faces come from a font configuration of the test's own (pictures_main.cpp), so that the
// desktop's fonts and its hinting cannot change a pixel.

#include "board_code.h"
#include "board_dialog.h"
#include "coach_fixture.h"
#include "coach_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QWindow>

#include <QHash>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <vector>

namespace kubiq::test {
namespace {

// The coach's tabs; the review's board, of the step chosen and with no step left to choose; the
// board dialog beside them; the coach as it is.
enum class View {
    Rat,
    Analyse,
    Statistik,
    Ueben,
    AnalyseBrett,
    OhneSchritt,
    Aufgabe,
    Dialog,
    Coach
};

const char* viewName(View view) {
    static constexpr const char* kNames[] = {"rat",     "analyse",       "statistik",
                                             "ueben",   "analyse-brett", "analyse-ohne-schritt",
                                             "aufgabe", "brett",         "berater"};
    return kNames[static_cast<int>(view)];
}

QString ratioSuffix() {
    const char* factor = std::getenv("QT_SCALE_FACTOR");
    return QStringLiteral("@%1x").arg(factor ? QString::fromLatin1(factor) : QStringLiteral("1"));
}

// The pixels in which two images of one size differ.
struct Difference {
    int count = 0;
    QRect where;
    QImage marked; // the actual image faded, the differing pixels red
};

Difference compare(const QImage& actual, const QImage& reference) {
    Difference found;
    found.marked = QImage(actual.size(), QImage::Format_RGB32);
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb pixel = actual.pixel(x, y);
            if (pixel != reference.pixel(x, y)) {
                ++found.count;
                found.where |= QRect(x, y, 1, 1);
                found.marked.setPixel(x, y, qRgb(255, 0, 0));
            } else {
                const int grey = 192 + qGray(pixel) / 4;
                found.marked.setPixel(x, y, qRgb(grey, grey, grey));
            }
        }
    return found;
}

// An image in at most 256 colours, as the references are kept: its own colours where it has no
// more, else its most frequent ones, each other pixel taking the nearest of them (the soft edges
// of glyphs, mostly). The same image gives the same pixels on every run.
QImage indexed(const QImage& image) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    std::vector<std::pair<int, QRgb>> byCount;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        byCount.push_back({-it.value(), it.key()});
    std::sort(byCount.begin(), byCount.end());
    QList<QRgb> palette;
    QHash<QRgb, int> index;
    for (std::size_t i = 0; i < byCount.size() && i < 256; ++i) {
        index.insert(byCount[i].second, static_cast<int>(i));
        palette.push_back(byCount[i].second);
    }
    const auto nearest = [&](QRgb colour) {
        int best = 0;
        int bestDistance = std::numeric_limits<int>::max();
        for (int i = 0; i < palette.size(); ++i) {
            const int r = qRed(colour) - qRed(palette[i]);
            const int g = qGreen(colour) - qGreen(palette[i]);
            const int b = qBlue(colour) - qBlue(palette[i]);
            if (r * r + g * g + b * b < bestDistance) {
                bestDistance = r * r + g * g + b * b;
                best = i;
            }
        }
        return best;
    };
    QImage out(image.size(), QImage::Format_Indexed8);
    out.setColorTable(palette);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = image.pixel(x, y);
            auto found = index.constFind(colour);
            if (found == index.cend())
                found = index.insert(colour, nearest(colour));
            out.setPixel(x, y, static_cast<uint>(*found));
        }
    return out;
}

bool save(const QImage& image, const QString& path) {
    QImageWriter writer(path, "png");
    writer.setQuality(0); // the smallest file
    return writer.write(image);
}

// Holds `image` against the reference `name`, or, when the references are being drawn anew,
// makes it the reference.
void expectLikeReference(const QImage& drawn, const QString& name) {
    const QImage kept = indexed(drawn.convertToFormat(QImage::Format_RGB32));
    const QImage image = kept.convertToFormat(QImage::Format_RGB32);
    const QString file = name + ratioSuffix() + QStringLiteral(".png");
    const QString reference = QStringLiteral(KUBIQ_PICTURES_DIR "/") + file;
    if (std::getenv("KUBIQ_UPDATE_PICTURES")) {
        EXPECT_TRUE(save(kept, reference)) << reference.toStdString();
        return;
    }
    const QString output = QStringLiteral(KUBIQ_PICTURES_OUTPUT);
    QDir().mkpath(output);
    const QString actualPath = output + QLatin1Char('/') + file;
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    if (expected.isNull()) {
        save(drawn, actualPath);
        ADD_FAILURE() << "no reference " << reference.toStdString()
                      << "; drawn: " << actualPath.toStdString()
                      << " (scripts/update-pictures makes the references)";
        return;
    }
    if (expected.size() != image.size()) {
        save(drawn, actualPath);
        ADD_FAILURE() << file.toStdString() << ": drawn " << image.width() << "x" << image.height()
                      << ", the reference is " << expected.width() << "x" << expected.height()
                      << "; drawn: " << actualPath.toStdString();
        return;
    }
    const Difference difference = compare(image, expected);
    const QString marked =
        output + QLatin1Char('/') + name + ratioSuffix() + QStringLiteral("-diff.png");
    if (difference.count == 0) {
        QFile::remove(actualPath); // what an earlier run left
        QFile::remove(marked);
        return;
    }
    save(drawn, actualPath);
    difference.marked.save(marked);
    const QRect& at = difference.where;
    ADD_FAILURE() << file.toStdString() << ": " << difference.count << " pixels differ, within "
                  << at.width() << "x" << at.height() << " at (" << at.x() << ", " << at.y()
                  << "); drawn: " << actualPath.toStdString()
                  << ", the difference: " << marked.toStdString();
}

// A state of the game and what the coach shows of it.
struct PictureState {
    const char* name;
    std::vector<View> views;
};

void PrintTo(const PictureState& state, std::ostream* out) {
    *out << state.name;
}

class CoachPicturesTest : public CoachWindowTest,
                          public ::testing::WithParamInterface<PictureState> {
protected:
    CoachPicturesTest() {
        // A text cursor that blinks is drawn or not by the clock; this one stays.
        QApplication::setCursorFlashTime(0);
    }

    // The coach at its designed width, on this view.
    QImage drawCoach(QWidget* shown, View view) {
        const auto tab = [&](const char* tabs, int index) {
            shown->findChild<QTabWidget*>(QLatin1String(tabs))->setCurrentIndex(index);
        };
        if (view == View::AnalyseBrett || view == View::OhneSchritt) {
            tab("Ansichten", 1);
            tab("Analyseansicht", 1);
            if (view == View::OhneSchritt) {
                // The game in play has no decision yet: nothing to choose, no board to show.
                shown->findChild<QComboBox*>(QStringLiteral("Spielauswahl"))->setCurrentIndex(0);
                shown->findChild<QCheckBox*>(QStringLiteral("NurFehler"))->setChecked(true);
            }
        } else if (view == View::Aufgabe) {
            // An exercise of the bank, answered wrongly: its cost and the reason at once.
            tab("Ansichten", 3);
            shown->findChild<QComboBox*>(QStringLiteral("UebenQuelle"))->setCurrentIndex(1);
            QTest::mouseClick(shown->findChild<QPushButton*>(QStringLiteral("UebenWuerfeln")),
                              Qt::LeftButton);
        } else if (view != View::Coach) {
            tab("Ansichten", static_cast<int>(view));
        }
        shown->resize(CoachWindow::kDefaultWidth, shown->sizeHint().height());
        QCoreApplication::processEvents();
        return shown->grab().toImage();
    }

    BoardDialog* openDialog() {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                coach()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(coach(), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        EXPECT_NE(menu, nullptr);
        if (!menu)
            return nullptr;
        menu->findChild<QAction*>(QStringLiteral("BrettAnalysieren"))->trigger();
        menu->close();
        return coach()->findChild<BoardDialog*>(QStringLiteral("BrettDialog"));
    }

    void drawViews(QWidget* shown, const std::vector<View>& views) {
        for (View view : views) {
            SCOPED_TRACE(viewName(view));
            const QString name =
                QStringLiteral("%1-%2").arg(QLatin1String(GetParam().name), viewName(view));
            if (view != View::Dialog) {
                expectLikeReference(drawCoach(shown, view), name);
                continue;
            }
            BoardDialog* dialog = openDialog();
            ASSERT_NE(dialog, nullptr);
            Scores sheet{};
            sheet[Sechser] = 18;
            sheet[Chance] = 22;
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Code"));
            edit->setText(QString::fromStdString(
                boardCode(boardWith(sheet, {6, 6, 2, 6, 1}, {true, true, false, true, false}, 1))));
            QTest::keyClick(edit, Qt::Key_Return);
            expectLikeReference(dialog->grab().toImage(), name);
        }
    }
};

TEST_P(CoachPicturesTest, EachViewIsDrawnAsItsReference) {
    const std::string state = GetParam().name;
    if (state == "ohne-tabelle") {
        const std::unique_ptr<Form1> other = windowWithoutTable();
        auto* shown = other->findChild<QWidget*>(QStringLiteral("CoachWindow"));
        ASSERT_NE(shown, nullptr);
        drawViews(shown, GetParam().views);
        return;
    }
    pressF2(&window);
    if (state == "zwischen-wuerfen") {
        turn("66612", Sechser);
        roll("44123");
        click(holdButton(0)); // a single 4 held ranks below the eight best holds
    } else if (state == "nach-dem-letzten-wurf") {
        turn("66612", Sechser);
        roll("33451");
        click(holdButton(0));
        roll("1234");
        roll("5555");
    } else if (state == "nach-einem-spiel") {
        playGame("12345");
        roll("66612");
        // The review of the game just played, at its first costly decision.
        part<QComboBox>("Spielauswahl")->setCurrentIndex(1);
        QTest::keyClick(part<QTableView>("Spielverlauf"), Qt::Key_Down, Qt::ControlModifier);
    }
    drawViews(coach(), GetParam().views);
}

INSTANTIATE_TEST_SUITE_P(
    States, CoachPicturesTest,
    ::testing::Values(PictureState{"vor-dem-ersten-wurf",
                                   {View::Rat, View::Ueben, View::Aufgabe, View::Dialog}},
                      PictureState{"zwischen-wuerfen", {View::Rat, View::Analyse}},
                      PictureState{"nach-dem-letzten-wurf", {View::Rat}},
                      PictureState{"nach-einem-spiel",
                                   {View::Rat, View::Analyse, View::AnalyseBrett, View::OhneSchritt,
                                    View::Statistik, View::Ueben}},
                      PictureState{"ohne-tabelle", {View::Coach}}),
    [](const ::testing::TestParamInfo<PictureState>& info) {
        std::string name;
        for (const char* c = info.param.name; *c; ++c)
            if (*c != '-')
                name += *c;
        return name;
    });

} // namespace
} // namespace kubiq::test
