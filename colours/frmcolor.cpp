#include "frmcolor.h"

#include "conversions.h"
#include "palette.h"
#include "racecolours.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

// The swatch: a background, then the fill colour in the zone's hatch on top of it.
class RaceSwatch : public QWidget {
public:
    using QWidget::QWidget;

    void setBackground(PackedColor color)
    {
        m_background = color;
        update();
    }

    void setFill(PackedColor color, qint16 style)
    {
        m_fill = color;
        m_style = style;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        // The chart's own hatch rule, anchored to the swatch's corner, so the swatch shows
        // the zones' pattern pixel for pixel.
        QPainter(this).drawImage(0, 0, zoneSwatch(size(), m_fill, m_style, m_background));
    }

private:
    // Before any race is picked the swatch is black and empty.
    PackedColor m_background = 0;
    PackedColor m_fill = 0;
    qint16 m_style = FillTransparent;
};

namespace {

constexpr PackedColor kBlack = 0;

// Places are laid out in twips, 15 to a pixel.
QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

template <typename T> T *placed(T *widget, const QString &name, const QRect &geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

// The places are measured for a small dialog font: take 8 points, smaller still where this
// desktop's font would clip "Total Population:" in its 81 pixels.
QFont dialogFont(QFont font)
{
    const QString longest = QCoreApplication::translate("frmColor", "Total Population:");
    const int room = twips(0, 0, 1215, 0).width();
    font.setPointSizeF(8);
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(longest) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

QString totalText(const std::optional<double> &total)
{
    return total ? conv::plainNumber(*total) : QString();
}

} // namespace

frmColor::frmColor(Globals &globals, CommonDialog &dialog, std::function<void()> redrawChart,
                   QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_globals(globals),
      m_dialog(dialog), m_redrawChart(std::move(redrawChart))
{
    setObjectName(QStringLiteral("frmColor"));
    setWindowTitle(tr("Race Colors"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(0, 0, 4830, 2145).size());
    setFont(dialogFont(font()));

    // Created in keyboard order: the race list, "&Color", "&Close".
    m_raceName = placed(new QComboBox(this), QStringLiteral("RaceName"), twips(0, 120, 2895, 315));
    m_raceName->setEditable(true);
    // Typing only edits the text; no completion and no new items, as in a plain drop-down.
    m_raceName->setInsertPolicy(QComboBox::NoInsert);
    m_raceName->setCompleter(nullptr);
    // Typing a race's name alone picks no race, as in the chart's zoom list: Qt picks the
    // entry whose text was typed when the field loses focus or takes Enter; that path is
    // cut, picking from the list stays.
    disconnect(m_raceName->lineEdit(), &QLineEdit::editingFinished, m_raceName, nullptr);
    connect(m_raceName, &QComboBox::activated, this, &frmColor::RaceName_Click);
    connect(m_raceName->lineEdit(), &QLineEdit::textEdited, this, &frmColor::RaceName_Edited);

    auto *pick = placed(new QPushButton(tr("&Color"), this),
                        QStringLiteral("Player_Color_Selection"), twips(360, 1200, 2175, 375));
    connect(pick, &QPushButton::clicked, this, &frmColor::Player_Color_Selection_Click);

    auto *closeMe = placed(new QPushButton(tr("&Close"), this), QStringLiteral("Close_Me"),
                           twips(360, 1680, 2175, 375));
    connect(closeMe, &QPushButton::clicked, this, &frmColor::Close_Me_Click);

    setTabOrder(m_raceName, pick);
    setTabOrder(pick, closeMe);

    m_totStar = placed(new QLabel(this), QStringLiteral("Tot_Star"), twips(1320, 720, 1575, 255));
    placed(new QLabel(tr("Starbases:"), this), QStringLiteral("Label2"), twips(0, 720, 1215, 255));
    m_totPop = placed(new QLabel(this), QStringLiteral("Tot_Pop"), twips(1320, 480, 1575, 255));
    placed(new QLabel(tr("Total Population:"), this), QStringLiteral("Label1"),
           twips(0, 480, 1215, 255));
    m_raceColor =
        placed(new RaceSwatch(this), QStringLiteral("Race_Color"), twips(3000, 120, 1695, 1815));

    Form_Load();
}

void frmColor::Form_Load()
{
    // Slot order, never sorted: the list position is the race's slot.
    for (int slot = 0; slot <= m_globals.Last_Player_Index; ++slot)
        m_raceName->addItem(m_globals.Player_Table[slot].Player_Name);
    m_raceName->setCurrentIndex(-1);
    m_raceName->setEditText(tr("Select here for race name"));
}

void frmColor::RaceName_Click()
{
    m_raceColor->setBackground(kBlack);
    const int slot = m_raceName->currentIndex();
    if (slot < 0)
        return;
    showRace(slot);
    const Player_Object &race = m_globals.Player_Table[slot];
    m_totPop->setText(totalText(race.Player_Population));
    m_totStar->setText(totalText(race.Player_Starbases));
}

void frmColor::Player_Color_Selection_Click()
{
    const std::optional<PackedColor> chosen = m_dialog.ShowColor(m_pickerColor);
    if (!chosen)
        return;
    m_pickerColor = *chosen;
    // Read after the picker has closed: with no race picked the colour is dropped.
    const int slot = m_raceName->currentIndex();
    if (slot < 0)
        return;
    setRaceColor(m_globals, slot, *chosen);
    m_raceColor->setBackground(kBlack);
    showRace(slot);
    // The redraw reports its own failures; none reaches this window.
    if (m_redrawChart)
        m_redrawChart();
}

void frmColor::Close_Me_Click()
{
    close();
}

// Typing into the list's text field leaves no race picked, though the text stays.
void frmColor::RaceName_Edited(const QString &text)
{
    if (m_raceName->currentIndex() < 0)
        return;
    QLineEdit *edit = m_raceName->lineEdit();
    const int cursor = edit->cursorPosition();
    m_raceName->setCurrentIndex(-1);
    m_raceName->setEditText(text);
    edit->setCursorPosition(cursor);
}

void frmColor::showRace(int slot)
{
    const Player_Object &race = m_globals.Player_Table[slot];
    m_raceColor->setFill(race.Player_Color, race.Player_Style);
    // The swatch shows the race at once, not at the next paint.
    m_raceColor->repaint();
}
