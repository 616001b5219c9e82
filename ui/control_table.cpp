#include "ui/control_table.h"

#include "ui/fields.h"
#include "ui/pic_gear.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <array>

namespace tamrel {

namespace {

enum class Kind { Frame, Label, Field, ReadOnlyField, OptionButton, CheckBox, PushButton, Picture };

enum Flag : unsigned {
    NoFlags = 0,
    RedText = 1,
    BlackText = 2,
    WhiteBackground = 4,
    Disabled = 8,
    Checked = 16,
    ArrowCursor = 32,
};

// One control of the window. Places and sizes are in twips, measured from the top-left corner of
// the container: the window's client area, or the frame named here. Captions that depend on the
// language start empty.
struct ControlEntry {
    std::string name;
    Kind kind;
    std::string container;
    int left;
    int top;
    int width;
    int height;
    std::string startText;
    std::string accessibleName;
    unsigned flags = NoFlags;
};

void addFramesAndGearData(std::vector<ControlEntry>& t) {
    // clang-format off
    t.push_back({"Frame2", Kind::Frame, "", 240, 120, 3975, 1695, "", "Gear data"});
    t.push_back({"Label1", Kind::Label, "Frame2", 120, 240, 1095, 255, "", ""});
    t.push_back({fieldName(Field::MN), Kind::Field, "Frame2", 1200, 240, 735, 270, "", "Normal module MN", RedText});
    t.push_back({"Label2", Kind::Label, "Frame2", 120, 600, 1095, 255, "", ""});
    t.push_back({fieldName(Field::PN), Kind::Field, "Frame2", 1200, 600, 735, 270, "", "Normal pressure angle PN", RedText});
    t.push_back({"Label34", Kind::Label, "Frame2", 120, 960, 1095, 255, "", ""});
    t.push_back({fieldName(Field::ZG), Kind::Field, "Frame2", 1200, 960, 735, 270, "", "Number of teeth ZG", RedText});
    t.push_back({"Label64", Kind::Label, "Frame2", 120, 1320, 1095, 255, "", ""});
    t.push_back({fieldName(Field::BOG), Kind::Field, "Frame2", 1200, 1320, 735, 270, "", "Helix angle BOG", RedText});
    t.push_back({"Label18", Kind::Label, "Frame2", 2040, 240, 1095, 255, "", ""});
    t.push_back({fieldName(Field::ZMG), Kind::Field, "Frame2", 3120, 240, 735, 270, "", "Number of teeth spanned ZMG", RedText});
    t.push_back({"Label20", Kind::Label, "Frame2", 2040, 600, 1095, 255, "", ""});
    t.push_back({fieldName(Field::DPG), Kind::Field, "Frame2", 3120, 600, 735, 270, "", "Pin diameter DPG", RedText | WhiteBackground});
    t.push_back({"Check3", Kind::CheckBox, "Frame2", 2280, 960, 1215, 255, "", "Draw the gear", Checked});
    t.push_back({"Check2", Kind::CheckBox, "Frame2", 2280, 1320, 1215, 255, "", "Rotate the gear", Checked});

    t.push_back({"Frame3", Kind::Frame, "", 4320, 120, 1935, 1695, "", "Optional input"});
    t.push_back({"Check1", Kind::CheckBox, "Frame3", 120, 240, 1575, 255, "", "Set tip and root diameters automatically"});
    t.push_back({"Label6", Kind::Label, "Frame3", 120, 600, 855, 255, "", ""});
    t.push_back({fieldName(Field::DKG), Kind::Field, "Frame3", 960, 600, 855, 270, "", "Tip diameter DKG", RedText});
    t.push_back({"Label7", Kind::Label, "Frame3", 120, 960, 855, 255, "", ""});
    t.push_back({fieldName(Field::DRG), Kind::Field, "Frame3", 960, 960, 855, 270, "", "Root diameter DRG", RedText});

    t.push_back({"Frame1", Kind::Frame, "", 6360, 120, 1455, 1695, "LANGUAGE", "Language"});
    t.push_back({"OptLan(0)", Kind::OptionButton, "Frame1", 120, 240, 1215, 255, "Chinese", "Chinese"});
    t.push_back({"OptLan(1)", Kind::OptionButton, "Frame1", 120, 600, 1215, 255, "English", "English"});
    t.push_back({"OptLan(2)", Kind::OptionButton, "Frame1", 120, 960, 1215, 255, "Japanese", "Japanese"});
    // clang-format on
}

void addGridHeader(std::vector<ControlEntry>& t) {
    struct Head {
        const char* name;
        int left;
        int width;
    };
    constexpr std::array<Head, 7> heads{{{"Label5(0)", 360, 975},
                                         {"Label8", 1680, 975},
                                         {"Label3(0)", 2760, 615},
                                         {"Label4(0)", 3600, 735},
                                         {"Label5(1)", 5040, 975},
                                         {"Label3(1)", 6120, 615},
                                         {"Label4(1)", 6960, 615}}};
    for (const Head& head : heads) {
        t.push_back({head.name, Kind::Label, "", head.left, 1920, head.width, 255, "", ""});
    }
}

// W is the reference quantity at start: its row is the only enabled one.
void addGridRow(std::vector<ControlEntry>& t, Quantity i) {
    const std::string q = describe(i).name;
    const int top = 2160 + 360 * i;
    const unsigned input = i == Quantity::W ? NoFlags : Disabled | BlackText;
    t.push_back({indexedName("OptS", i), Kind::OptionButton, "", 120, top, 1575, 255, "",
                 "Reference quantity " + q, i == Quantity::W ? Checked : NoFlags});
    t.push_back({fieldName(reference(i)), Kind::Field, "", 1680, top, 855, 270, "",
                 q + " reference value", input});
    t.push_back({fieldName(upperTolerance(i)), Kind::Field, "", 2640, top, 735, 270, "",
                 q + " upper tolerance", input});
    t.push_back({fieldName(lowerTolerance(i)), Kind::Field, "", 3480, top, 735, 270, "",
                 q + " lower tolerance", input});
    t.push_back({fieldName(middle(i)), Kind::ReadOnlyField, "", 4920, top, 975, 270, "",
                 q + " result MID"});
    t.push_back({fieldName(maximum(i)), Kind::ReadOnlyField, "", 6000, top, 855, 270, "",
                 q + " result MAX"});
    t.push_back({fieldName(minimum(i)), Kind::ReadOnlyField, "", 6960, top, 855, 270, "",
                 q + " result MIN"});
}

void addRemaining(std::vector<ControlEntry>& t) {
    t.push_back({"ComGo", Kind::PushButton, "", 4320, 2160, 495, 1335, "==>", "Compute"});
    t.push_back({fieldName(Field::Error), Kind::ReadOnlyField, "", 1680, 3600, 6135, 270, "",
                 "Message", BlackText | ArrowCursor});
    t.push_back({"PicGEAR", Kind::Picture, "", 120, 3960, 7695, 3855, "", "Gear drawing"});
}

std::vector<ControlEntry> buildTable() {
    std::vector<ControlEntry> table;
    addFramesAndGearData(table);
    addGridHeader(table);
    for (Quantity q : Quantities) {
        addGridRow(table, q);
    }
    addRemaining(table);
    return table;
}

void setBackgroundColor(QLineEdit& field, const QColor& color) {
    QPalette palette = field.palette();
    palette.setColor(QPalette::Base, color);
    field.setPalette(palette);
}

// The width a field gives its text: the contents inside the frame and the text margins, less the
// two pixels Qt's line edit keeps free on either side.
int textRoom(const QLineEdit& field) {
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.rect = field.contentsRect();
    option.lineWidth =
        field.hasFrame() ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field)
                         : 0;
    const QRect contents =
        field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
    return contents.marginsRemoved(field.textMargins()).width() - 4;
}

constexpr const char* ToolTipNote = "toolTipNote";

// A text wider than its field is shown whole in the field's tooltip, which Qt shows for a disabled
// field as well.
// The note of setToolTipNote follows it.
void showWholeTextInToolTip(QLineEdit& field) {
    const bool fits = field.fontMetrics().horizontalAdvance(field.text()) < textRoom(field);
    QStringList lines;
    if (!fits) {
        lines << field.text();
    }
    const QString note = field.property(ToolTipNote).toString();
    if (!note.isEmpty()) {
        lines << note;
    }
    field.setToolTip(lines.join(QLatin1Char('\n')));
}

QWidget* createField(const ControlEntry& entry, QWidget* parent) {
    auto* field = new QLineEdit(QString::fromStdString(entry.startText), parent);
    // Qt's line edit keeps three pixels between its frame and the text; two leave room for a
    // four-decimal diameter in the narrow fields.
    field->setTextMargins(-1, 0, -1, 0);
    QObject::connect(field, &QLineEdit::textChanged, field,
                     [field] { showWholeTextInToolTip(*field); });
    field->setCursorPosition(0);
    if (entry.kind == Kind::ReadOnlyField) {
        field->setReadOnly(true);
        // Qt gives a read-only field the arrow; the I-beam tells that its text can be selected.
        field->setCursor(entry.flags & ArrowCursor ? Qt::ArrowCursor : Qt::IBeamCursor);
    }
    if (entry.flags & RedText) {
        setTextColor(*field, FieldRed);
    }
    if (entry.flags & BlackText) {
        setTextColor(*field, FieldBlack);
    }
    if (entry.flags & WhiteBackground) {
        setBackgroundColor(*field, Qt::white);
    }
    return field;
}

QWidget* createWidget(const ControlEntry& entry, QWidget* parent) {
    const QString text = QString::fromStdString(entry.startText);
    switch (entry.kind) {
    case Kind::Frame:
        return new QGroupBox(text, parent);
    case Kind::Label:
        return new QLabel(text, parent);
    case Kind::Field:
    case Kind::ReadOnlyField:
        return createField(entry, parent);
    case Kind::OptionButton: {
        auto* button = new QRadioButton(text, parent);
        button->setChecked(entry.flags & Checked);
        return button;
    }
    case Kind::CheckBox: {
        auto* box = new QCheckBox(text, parent);
        box->setChecked(entry.flags & Checked);
        return box;
    }
    case Kind::PushButton: {
        auto* button = new QPushButton(text, parent);
        // Enter is handled by the window for every control; the button must not click on it too.
        button->setAutoDefault(false);
        return button;
    }
    case Kind::Picture: {
        auto* picture = new PicGear(parent);
        picture->setFocusPolicy(Qt::StrongFocus);
        return picture;
    }
    }
    return nullptr;
}

}  // namespace

std::string indexedName(const char* arrayName, int index) {
    return std::string(arrayName) + "(" + std::to_string(index) + ")";
}

void setTextColor(QLineEdit& field, const QColor& color) {
    QPalette palette = field.palette();
    palette.setColor(QPalette::Active, QPalette::Text, color);
    palette.setColor(QPalette::Inactive, QPalette::Text, color);
    field.setPalette(palette);
}

void createControls(QWidget& window) {
    static const std::vector<ControlEntry> table = buildTable();
    for (const ControlEntry& entry : table) {
        QWidget* parent = &window;
        if (!entry.container.empty()) {
            parent = window.findChild<QWidget*>(QString::fromStdString(entry.container));
        }
        QWidget* widget = createWidget(entry, parent);
        widget->setObjectName(QString::fromStdString(entry.name));
        widget->setGeometry(twipsToPixels(entry.left), twipsToPixels(entry.top),
                            twipsToPixels(entry.width), twipsToPixels(entry.height));
        widget->setAccessibleName(QString::fromStdString(entry.accessibleName));
        widget->setEnabled(!(entry.flags & Disabled));
    }
}

void setToolTipNote(QLineEdit& field, const QString& note) {
    field.setProperty(ToolTipNote, note);
    showWholeTextInToolTip(field);
}

}  // namespace tamrel
