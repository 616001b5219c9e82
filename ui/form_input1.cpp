#include "ui/form_input1.h"

#include "conversion/compute_run.h"
#include "geometry/angles.h"
#include "inspection/run_inspection.h"
#include "ui/captions.h"
#include "ui/control_table.h"
#include "ui/identify_dialog.h"
#include "ui/inspection_tips.h"
#include "ui/keyboard.h"
#include "ui/pic_gear.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <chrono>
#include <cmath>
#include <memory>
#include <random>

namespace tamrel {

namespace {

constexpr int TimerIntervalMs = 20;

FormInput1::RandomSource clockSeededRandom() {
    const auto seed = std::chrono::system_clock::now().time_since_epoch().count();
    auto engine = std::make_shared<std::mt19937>(static_cast<std::mt19937::result_type>(seed));
    return [engine] { return std::uniform_real_distribution<float>(0.0F, 1.0F)(*engine); };
}

// h = floor(4 r). A float generator can round up to exactly 1, so h is kept within the hints.
int hintIndex(float r) {
    if (!(r >= 0.0F)) {
        return 0;
    }
    const double h = std::floor(4.0 * r);
    return h >= StartupHintCount - 1 ? StartupHintCount - 1 : static_cast<int>(h);
}

QList<QRadioButton*> optionArray(const QWidget& window, const char* name, int count) {
    QList<QRadioButton*> buttons;
    for (int i = 0; i < count; ++i) {
        buttons.append(
            window.findChild<QRadioButton*>(QString::fromStdString(indexedName(name, i))));
    }
    return buttons;
}

// The modal message with which the inverse involute reports a failure: an OK button only and the
// application's name as caption. Returns when the user confirms.
void showArcinvFailure(QWidget* parent) {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                    QStringLiteral("Error occurred in ARCINV function!"), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("ArcinvFailure"));
    box.exec();
}

}  // namespace

template <class Control> Control* FormInput1::control(const std::string& name) const {
    return findChild<Control*>(QString::fromStdString(name));
}

FormInput1::FormInput1(RandomSource random, ComputeRun compute, QWidget* parent)
    : QWidget(parent), compute_(compute ? std::move(compute) : ComputeRun(runConversion)) {
    setObjectName(QStringLiteral("FormInput1"));
    setFixedSize(twipsToPixels(WindowWidthTwips), twipsToPixels(WindowHeightTwips));
    // One pixel size for every control: the layout is in pixels, so the captions must not grow
    // with the desktop's font settings. At 11 pixels a four-decimal diameter such as "200.2831"
    // fits the narrowest field that shows one, and the longest Chinese and Japanese captions fit
    // theirs; at 12 the digits of the diameters would be cut off.
    QFont uiFont = font();
    uiFont.setPixelSize(11);
    setFont(uiFont);

    locale_.decimalSeparator = QLocale().decimalPoint().toStdString();

    createControls(*this);
    // Start texts carry the locale's decimal separator, so that a first run reads them as numbers.
    for (Field f : allFields()) {
        fields_[indexOf(f)] = control<QLineEdit>(fieldName(f));
        setText(f, startText(f, locale_));
    }
    picGear_ = control<PicGear>("PicGEAR");
    check1_ = control<QCheckBox>("Check1");
    check2_ = control<QCheckBox>("Check2");
    check3_ = control<QCheckBox>("Check3");
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("TimerPicgear"));
    timer_->setInterval(TimerIntervalMs);

    createGroups();
    connectControls();
    watchFields();
    applyTabOrder(*this);
    installGearIdentification(*this);
    setArcinvFailureNotifier([this] { showArcinvFailure(this); });

    startUp(random ? random : clockSeededRandom());
}

FormInput1::~FormInput1() {
    setArcinvFailureNotifier({});
}

void FormInput1::createGroups() {
    languages_ = new OptionGroup(
        optionArray(*this, "OptLan", LanguageCount),
        [this](int index) {
            ApplyLanguage(*this, index);
            showInspectionTips();
        },
        this);
    references_ = new OptionGroup(
        optionArray(*this, "OptS", QuantityCount), [this](int) { SelectReference(); }, this);
}

void FormInput1::connectControls() {
    connect(control<QPushButton>("ComGo"), &QPushButton::clicked, this, &FormInput1::ComGo_Click);
    connect(check1_, &QCheckBox::clicked, this, &FormInput1::Check1_Click);
    connect(check3_, &QCheckBox::clicked, this, &FormInput1::Check3_Click);
    connect(timer_, &QTimer::timeout, this, &FormInput1::TimerPicgear_Timer);
    connect(picGear_, &PicGear::mousePressed, this,
            [this](int, float x, float y) { onPictureMouseDown(view_, x, y); });
    connect(picGear_, &PicGear::mouseMoved, this, [this](int buttons, float x, float y) {
        onPictureMouseMove(*picGear_, view_, buttons, x, y);
    });
    connect(picGear_, &PicGear::wheelTurned, this, [this](float x, float y, int angleDelta) {
        onPictureWheel(*picGear_, view_, x, y, angleDelta);
    });
    connect(picGear_, &PicGear::doubleClicked, this,
            [this] { onPictureDoubleClick(*picGear_, view_); });
}

void FormInput1::watchFields() {
    auto* gearData = new SelectOnEntry(SelectOnEntry::Caret::AtEnd, this);
    for (Field f : {Field::MN, Field::PN, Field::ZG, Field::BOG, Field::ZMG, Field::DPG, Field::DKG,
                    Field::DRG}) {
        gearData->watch(*field(f));
    }
    auto* grid = new SelectOnEntry(SelectOnEntry::Caret::AtStart, this);
    for (Quantity q : Quantities) {
        grid->watch(*field(reference(q)));
        grid->watch(*field(upperTolerance(q)));
        grid->watch(*field(lowerTolerance(q)));
    }
    new EnterKeyPreview(*this, [this] { ComGo_Click(); });
}

void FormInput1::startUp(const RandomSource& random) {
    languages_->select(0);
    for (Field f : {reference(W), upperTolerance(W), lowerTolerance(W)}) {
        setTextColor(*field(f), FieldRed);
    }
    check1_->setChecked(true);
    Check1_Click();
    setText(Field::Error, startupHint(hintIndex(random())).toStdString());
    timer_->start();

    QLineEdit* first = field(Field::MN);
    first->setFocus(Qt::OtherFocusReason);
    first->selectAll();
}

// One compute run. A run cannot start inside another (a message box shown by a run lets events
// through), and no failure escapes into Qt's event loop.
void FormInput1::ComGo_Click() {
    if (computing_) {
        return;
    }
    computing_ = true;
    const ConversionInput input = conversionInput();
    ConversionResult result(input);
    try {
        result = compute_(input);
    } catch (...) {
        result.message = {Problem::CalculationFailed};
    }
    showResult(result);
    inspected_.reset();
    if (const auto inspectionInput = inspection::inspectionInput(result)) {
        inspected_.emplace(*inspectionInput, inspection::inspect(*inspectionInput));
    }
    showInspectionTips();
    computing_ = false;
}

// The fields a run reads: the gear, the selected row, the diameters as typed.
ConversionInput FormInput1::conversionInput() const {
    ConversionInput input(locale_);
    const int selected = references_->selectedIndex();
    input.reference = selected < 0 ? std::nullopt : std::optional(static_cast<Quantity>(selected));
    for (Input i : Inputs) {
        input[i] = text(inputField(i, input.reference.value_or(Xn)));
    }
    input.automaticDiameters = check1_->isChecked();
    input.pictureWidth = picGear_->width();
    input.pictureHeight = picGear_->height();
    return input;
}

// Every run resets the rotation and every field it may write; the selected row stays as typed.
void FormInput1::showResult(const ConversionResult& result) {
    state_.rotationAngle = 0;
    setText(Field::Error, result.message.text());
    for (Quantity q : Quantities) {
        for (Column c : Columns) {
            if (!result.isTyped(q, c)) {
                setText(gridField(q, c), result.cell(q, c).text);
            }
        }
    }
    if (result.diametersComputed) {
        setText(Field::DKG, result.tipDiameter.text);
        setText(Field::DRG, result.rootDiameter.text);
    }
    if (result.completed) {
        state_.drawingGeometry = result.completed->drawingGeometry();
        const ViewFit& fit = result.completed->view;
        fitView(*picGear_, view_, fit.left, fit.top, fit.right, fit.bottom);
    }
}

// The span in TextZMG's tooltip, the ball in TextDPG's, the form circle in TextZG's, the chordal
// values of each Sn result in its own; none without a successful run.
void FormInput1::showInspectionTips() {
    InspectionTips tips;
    if (inspected_) {
        tips = inspectionTips(inspected_->second, inspected_->first, languages_->selectedIndex(),
                              locale_);
    }
    setToolTipNote(*field(Field::ZMG), tips.span);
    setToolTipNote(*field(Field::DPG), tips.ball);
    setToolTipNote(*field(Field::ZG), tips.flank);
    for (Field f : {middle(Sn), maximum(Sn), minimum(Sn)}) {
        setToolTipNote(*field(f), tips.thickness[indexOf(f) - indexOf(middle(Sn))]);
    }
}

// The row of the selected OptS button becomes the input row: its three fields enabled and red, the
// other rows disabled and black. A placeholder in the input row becomes "0", so that a row the last
// run could not fill is a valid input, and the focus goes to its reference value.
void FormInput1::SelectReference() {
    const int k = references_->selectedIndex();
    if (k < 0) {
        return;
    }
    using Column = Field (*)(int);
    constexpr Column columns[] = {reference, upperTolerance, lowerTolerance};
    for (Column column : columns) {
        for (Quantity q : Quantities) {
            field(column(q))->setEnabled(q == k);
        }
    }
    for (Column column : columns) {
        for (Quantity q : Quantities) {
            setTextColor(*field(column(q)), q == k ? FieldRed : FieldBlack);
        }
    }
    for (Column column : columns) {
        QLineEdit* input = field(column(k));
        if (input->text() == QLatin1String(Placeholder)) {
            input->setText(QStringLiteral("0"));
        }
    }
    field(reference(k))->setFocus(Qt::OtherFocusReason);
}

void FormInput1::Check1_Click() {
    const bool automatic = check1_->isChecked();
    field(Field::DKG)->setEnabled(!automatic);
    field(Field::DRG)->setEnabled(!automatic);
}

void FormInput1::Check3_Click() {
    if (check3_->isChecked()) {
        timer_->start();
        check2_->setEnabled(true);
    } else {
        timer_->stop();
        picGear_->clear();
        picGear_->update();
        check2_->setEnabled(false);
    }
}

void FormInput1::TimerPicgear_Timer() {
    const std::string tip = text(Field::DKG);
    const std::string root = text(Field::DRG);
    try {
        drawingTick(*picGear_, state_, {check2_->isChecked(), tip, root}, locale_);
    } catch (...) {
        // The drawing never reports: a gear that cannot be drawn leaves the picture empty.
        picGear_->clear();
    }
    picGear_->update();
    // The next tick is due a whole interval after this one ends: a drawing slower than the
    // interval never runs ticks back to back, so input waits at most for the tick in hand.
    if (timer_->isActive()) {
        timer_->start();
    }
}

std::string FormInput1::text(Field f) const {
    return field(f)->text().toStdString();
}

void FormInput1::setText(Field f, const std::string& text) {
    QLineEdit* edit = field(f);
    edit->setText(QString::fromStdString(text));
    // Show a number from its first digit; the fields are narrower than a full double.
    edit->setCursorPosition(0);
}

}  // namespace tamrel
