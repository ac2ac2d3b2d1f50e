#include "form1.h"

#include "accessible_names.h"
#include "coach_window.h"
#include "design_font.h"
#include "design_palette.h"
#include "help_text.h"
#include "pacer.h"
#include "sheet_rows.h"
#include "twips.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextDocument>

namespace kubiq {

namespace {

const QColor kFree(0, 0, 0);
const QColor kHeld(255, 0, 0);
const QColor kTextBoxBack(192, 192, 192);

// The small renditions only: launchers and task switchers show the desktop entry's icons. The
// format is named so that the toolkit need not probe every image plugin at start-up.
QIcon kubiqIcon() {
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(
            QPixmap::fromImage(QImage(QStringLiteral(":/icons/kubiq-%1.png").arg(size), "PNG")));
    return icon;
}

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QString pointsText(Points points) {
    return points ? QString::number(*points) : QString();
}

// Setting a name announces it to screen readers, so an unchanged one is left alone.
void setSpokenName(QWidget* widget, const QString& name) {
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

constexpr int rowTop(int row) {
    return 480 + 240 * row;
}

QLabel* label(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* created = new QLabel(parent);
    created->setObjectName(name);
    created->setGeometry(geometry);
    return created;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                    const QRect& geometry) {
    auto* created = new QPushButton(caption, parent);
    created->setObjectName(name);
    created->setGeometry(geometry);
    return created;
}

} // namespace

Form1::Form1(const WindowServices& services, QWidget* parent)
    : QWidget(parent), m_services(services),
      m_game(Services{services.clock, services.random, services.beeper, *this, *this}) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("KUBIQ"));
    setWindowIcon(kubiqIcon());
    setFont(designFont());
    // Designed for a light desktop: a dark scheme would hide the black tips and dice outlines.
    setPalette(designPalette());
    setFixedSize(px(7695), px(6135));

    createDiceFrame();
    createSheetFrame();
    createHelpFrame();

    CommandHelp = button(this, QStringLiteral("CommandHelp"), QStringLiteral("&Hilfe/Spielstand"),
                         twipsRect(240, 5520, 1695, 492));
    connect(CommandHelp, &QPushButton::clicked, this, [this] { CommandHelp_Click(); });
    CommandExit = button(this, QStringLiteral("CommandExit"), QStringLiteral("&Ende"),
                         twipsRect(2040, 5520, 1695, 495));
    connect(CommandExit, &QPushButton::clicked, this, [this] { CommandExit_Click(); });
    CommandOK = button(this, QStringLiteral("CommandOK"), QStringLiteral("OK"),
                       twipsRect(3120, 5520, 1695, 495));
    CommandOK->hide();
    connect(CommandOK, &QPushButton::clicked, this, [this] { CommandOK_Click(); });
    // Enter and Escape answer the panel; a hidden button's shortcuts are not live.
    for (QKeySequence key :
         {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Escape)})
        new QShortcut(key, CommandOK, CommandOK, &QPushButton::click);

    new QShortcut(QKeySequence(Qt::Key_F2), this, this, &Form1::toggleCoach);

    setTabOrder();
    if (const QScreen* display = screen())
        move(display->availableGeometry().center() - rect().center());

    Form_Load();
}

void Form1::createDiceFrame() {
    Frame2 = new QGroupBox(QStringLiteral("Würfel"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(twipsRect(120, 120, 3732, 2895));

    for (int i = 0; i < kDiceCount; ++i) {
        QLabel* die =
            label(Frame2, indexed("LabelWAnzeige", i), twipsRect(120 + 720 * i, 480, 615, 615));
        die->setAlignment(Qt::AlignCenter);
        die->setFont(designFont(24, true));
        die->setAutoFillBackground(true);
        QPalette palette = die->palette();
        palette.setColor(QPalette::Window, kFree);
        palette.setColor(QPalette::WindowText, Qt::white);
        die->setPalette(palette);
        LabelWAnzeige[i] = die;

        QPushButton* hold = button(Frame2, indexed("CommandWHalten", i), QStringLiteral("halten"),
                                   twipsRect(120 + 720 * i, 1200, 615, 375));
        hold->setEnabled(false); // until the window's load
        hold->setAccessibleName(holdButtonName(i));
        connect(hold, &QPushButton::clicked, this, [this, i] { CommandWHalten_Click(i); });
        CommandWHalten[i] = hold;
    }

    CommandWuerfeln = button(Frame2, QStringLiteral("CommandWuerfeln"),
                             QString::fromStdString(m_game.CommandWuerfelnCaption()),
                             twipsRect(120, 2040, 3495, 495));
    CommandWuerfeln->setFont(designFont(kDefaultPointSize, true));
    connect(CommandWuerfeln, &QPushButton::clicked, this, [this] { CommandWuerfeln_Click(); });
}

void Form1::createSheetFrame() {
    Frame1 = new QGroupBox(QStringLiteral("Punkte"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(4080, 120, 3495, 5892));

    QLabel* header = label(Frame1, QStringLiteral("Label25"), twipsRect(1080, 240, 612, 252));
    header->setText(QStringLiteral("Punkte"));
    header->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    header = label(Frame1, QStringLiteral("Label26"), twipsRect(2880, 240, 372, 252));
    header->setText(QStringLiteral("Tip"));
    header->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    int labelNumber = 0;
    for (const SheetRow& row : kSheetRows) {
        QLabel* caption = label(Frame1, QStringLiteral("Label%1").arg(++labelNumber),
                                twipsRect(120, 492 + 240 * row.row, 972, 252));
        caption->setText(QString::fromUtf8(row.caption));
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (row.bold)
            caption->setFont(designFont(kDefaultPointSize, true));

        QLabel* cell = label(Frame1, indexed("LabelPunkte", row.cell),
                             twipsRect(1200, rowTop(row.row), 495, 240));
        cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        cell->setFrameStyle(QFrame::Box | QFrame::Plain);
        cell->setLineWidth(1);
        if (row.cell < kCategoryCount)
            m_scoreCells[row.cell] = cell;
        else
            m_sumCells[row.cell - static_cast<int>(SumCell::GesamtOben)] = cell;
    }

    for (int c = 0; c < kCategoryCount; ++c) {
        const int top = rowTop(sheetRow(c));
        QPushButton* enter = button(Frame1, indexed("ComandPHalten", c), QStringLiteral("halten"),
                                    twipsRect(1920, top, 855, 240));
        enter->setAccessibleName(categoryButtonName(c));
        connect(enter, &QPushButton::clicked, this, [this, c] { ComandPHalten_Click(c); });
        ComandPHalten[c] = enter;

        QLabel* tip = label(Frame1, indexed("LabelTip", c), twipsRect(2880, top, 375, 240));
        tip->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QPalette palette = tip->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        tip->setPalette(palette);
        LabelTip[c] = tip;
    }
}

void Form1::createHelpFrame() {
    Frame3 = new QGroupBox(QStringLiteral("Hilfe/Spielstand"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Frame3->setGeometry(twipsRect(120, 120, 7455, 5295));
    Frame3->hide();

    TextSpielstand = new QPlainTextEdit(Frame3);
    TextSpielstand->setObjectName(QStringLiteral("TextSpielstand"));
    TextSpielstand->setGeometry(twipsRect(120, 240, 7215, 4935));
    TextSpielstand->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    TextSpielstand->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextSpielstand->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TextSpielstand->setTabChangesFocus(true); // so that Tab leads on to OK
    QPalette palette = TextSpielstand->palette();
    palette.setColor(QPalette::Base, kTextBoxBack);
    TextSpielstand->setPalette(palette);
}

void Form1::setTabOrder() {
    std::vector<QWidget*> order(CommandWHalten.begin(), CommandWHalten.end());
    order.push_back(CommandWuerfeln);
    order.insert(order.end(), ComandPHalten.begin(), ComandPHalten.end());
    order.insert(order.end(), {TextSpielstand, CommandOK, CommandHelp, CommandExit});
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Form1::GameInit() {
    m_game.GameInit();
    showBoard();
}

void Form1::Form_Load() {
    m_game.load();
    showBoard();
}

void Form1::CommandWuerfeln_Click() {
    m_moves.roll(positionOf(m_game));
    m_game.roll();
    showBoard();
}

void Form1::CommandWHalten_Click(int index) {
    m_game.toggleHold(index);
    showBoard();
}

void Form1::ComandPHalten_Click(int index) {
    const Position before = positionOf(m_game);
    // The coach's warning, when the player asked for it, may keep the entry from being made.
    if (m_coach && !m_coach->allowsEntry(before, index))
        return;
    m_moves.enter(before, index);
    m_game.enter(index);
    showBoard();
}

void Form1::CommandHelp_Click() {
    refreshSpielstand();
    Frame1->hide();
    Frame2->hide();
    CommandHelp->hide();
    CommandExit->hide();
    Frame3->show();
    CommandOK->show();
    keepFocusVisible();
}

void Form1::CommandOK_Click() {
    Frame3->hide();
    CommandOK->hide();
    Frame1->show();
    Frame2->show();
    CommandHelp->show();
    CommandExit->show();
    keepFocusVisible();
}

void Form1::keepFocusVisible() {
    // A button hidden with the focus keeps it when no other control could take it at that
    // moment; then Space would still click it. Hand the focus on along the tab order.
    if (QWidget* focused = focusWidget(); focused != nullptr && !focused->isVisible())
        focusNextPrevChild(true);
}

void Form1::keepFocusHarmless() {
    // A focused button that is disabled hands the focus on along the tab order, to the first
    // open category: the player's next Space, perhaps queued while the dice roll, would enter
    // it. Move the focus first to where a Space does no harm: after the third roll to the last
    // hold button, after an entry to the roll button, ready for the next turn.
    QWidget* focused = focusWidget();
    if (focused == CommandWuerfeln && !m_game.CommandWuerfelnEnabled())
        CommandWHalten.back()->setFocus(Qt::BacktabFocusReason);
    for (int c = 0; c < kCategoryCount; ++c) {
        if (focused == ComandPHalten[c] && !m_game.ComandPHaltenEnabled(c))
            CommandWuerfeln->setFocus(Qt::TabFocusReason);
    }
}

void Form1::CommandExit_Click() {
    close();
}

void Form1::toggleCoach() {
    if (m_coach && m_coach->isVisible())
        m_coach->close();
    else
        showCoach();
}

void Form1::showCoach() {
    const bool first = m_coach == nullptr;
    if (first)
        m_coach =
            new CoachWindow(m_services.coachTables.empty() ? CoachWindow::tablesBesideProgram()
                                                           : m_services.coachTables,
                            m_services.messageBox, this);
    m_coach->follow(positionOf(m_game), m_moves);
    if (first)
        m_coach->placeBeside(*this);
    m_coach->showNormal(); // beside the game, also where windows start full screen (the browser)
    m_coach->raise();
}

void Form1::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* coach = menu.addAction(QStringLiteral("Berater…"), this, &Form1::showCoach);
    coach->setShortcut(QKeySequence(Qt::Key_F2));
    coach->setObjectName(QStringLiteral("Berater"));
    menu.exec(event->globalPos());
}

void Form1::closeEvent(QCloseEvent* event) {
    // The coach belongs to the game: the program ends with the game's window.
    if (m_coach)
        m_coach->close();
    QWidget::closeEvent(event);
}

void Form1::showBoard() {
    keepFocusHarmless();
    for (int i = 0; i < kDiceCount; ++i) {
        showDie(i);
        // Named here, not in every pass of a roll: a screen reader hears the face that stays.
        setSpokenName(LabelWAnzeige[i], dieName(i, m_game.LabelWAnzeige(i)));
        CommandWHalten[i]->setEnabled(m_game.CommandWHaltenEnabled());
    }
    CommandWuerfeln->setText(QString::fromStdString(m_game.CommandWuerfelnCaption()));
    CommandWuerfeln->setEnabled(m_game.CommandWuerfelnEnabled());
    for (int c = 0; c < kCategoryCount; ++c) {
        ComandPHalten[c]->setEnabled(m_game.ComandPHaltenEnabled(c));
        showPoints(LabelTip[c], m_game.LabelTip(c), tipName(c, m_game.LabelTip(c)));
        showPoints(LabelPunkte(c), m_game.LabelPunkte(c), cellName(c, m_game.LabelPunkte(c)));
    }
    for (SumCell sum : kSumCells) {
        const int cell = static_cast<int>(sum);
        showPoints(LabelPunkte(cell), m_game.LabelPunkte(sum),
                   cellName(cell, m_game.LabelPunkte(sum)));
    }
    if (m_coach && m_coach->isVisible())
        m_coach->follow(positionOf(m_game), m_moves);
}

void Form1::showPoints(QLabel* label, Points points, const QString& spokenName) {
    label->setText(pointsText(points));
    setSpokenName(label, spokenName);
}

void Form1::showDie(int index) {
    const Die& die = m_game.LabelWAnzeige(index);
    QLabel* label = LabelWAnzeige[index];
    label->setText(die.blank() ? QString() : QString::number(die.face));
    const QColor& back = die.held ? kHeld : kFree;
    if (label->palette().color(QPalette::Window) != back) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, back);
        label->setPalette(palette);
    }
}

QLabel* Form1::LabelPunkte(int index) const {
    return index < kCategoryCount ? m_scoreCells[index]
                                  : m_sumCells[index - static_cast<int>(SumCell::GesamtOben)];
}

void Form1::repaintDie(int die) {
    showDie(die);
    LabelWAnzeige[die]->repaint();
}

void Form1::awaitNextPass() {
    m_services.pacer.awaitNextFrame();
}

void Form1::refreshSpielstand() {
    // Setting the text anew lays out every line: a fifth of a second for a full history of
    // 100,000 lines. Keeping the text and bringing it up to date costs only what changed.
    QTextDocument* document = TextSpielstand->document();
    while (document->isUndoAvailable())
        document->undo();
    const std::string& history = m_game.history().SpielstandText();
    if (m_spielstandLength < 0 || m_spielstandBytes > history.size() ||
        document->characterCount() != m_spielstandLength + 1) {
        const QString text = QString::fromStdString(helpText(history))
                                 .replace(QLatin1String("\r\n"), QLatin1String("\n"));
        TextSpielstand->setPlainText(text);
        m_spielstandLength = text.size();
    } else if (m_spielstandBytes < history.size()) {
        const QString games =
            QString::fromUtf8(history.data() + m_spielstandBytes,
                              static_cast<qsizetype>(history.size() - m_spielstandBytes))
                .replace(QLatin1String("\r\n"), QLatin1String("\n"));
        QTextCursor end(document);
        end.movePosition(QTextCursor::End);
        end.insertText(games);
        m_spielstandLength += games.size();
    }
    m_spielstandBytes = history.size();
    // As after setPlainText: nothing to undo or redo, unmodified, the cursor at the top.
    document->clearUndoRedoStacks();
    document->setModified(false);
    TextSpielstand->setTextCursor(QTextCursor(document));
    TextSpielstand->verticalScrollBar()->setValue(0);
}

void Form1::information(std::string_view title, std::string_view text) {
    m_moves.finish(m_game.LabelPunkte(SumCell::Total).value_or(0));
    showBoard();
    refreshSpielstand(); // the finished game goes into the panel now, three lines at a time
    m_services.messageBox.information(title, text);
}

} // namespace kubiq
