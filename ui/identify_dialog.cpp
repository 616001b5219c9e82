#include "ui/identify_dialog.h"

#include "conversion/number_format.h"
#include "conversion/number_locale.h"
#include "conversion/numeric_text.h"
#include "identification/identification.h"
#include "ui/captions.h"
#include "ui/fields.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>
#include <climits>
#include <cmath>
#include <optional>
#include <vector>

namespace tamrel {

namespace {

using identification::Candidate;
using identification::Outcome;

using Texts = LanguageTexts;

// clang-format off
constexpr std::array<Texts, 6> Headers{{
    {"制式", "System", "方式"}, {"模数/径节", "Module / DP", "モジュール/DP"},
    {"压力角", "Pressure angle", "圧力角"}, {"螺旋角", "Helix angle", "ネジレ角"},
    {"Xn", "Xn", "Xn"}, {"最大残差/公差", "Largest residual / tol.", "最大残差/公差"}}};
constexpr std::array<Texts, 2> SystemNames{{{"模数", "module", "モジュール"}, {"径节", "DP", "DP"}}};
constexpr Texts Fitting{"符合的候选：%1", "Candidates that fit: %1", "適合する候補：%1"};
constexpr Texts NotANumberText{"不是数字：%1", "Not a number: %1", "数値ではありません：%1"};
constexpr Texts NotWholeText{"不是整数：%1", "Not a whole number: %1", "整数ではありません：%1"};
// clang-format on

QString outcomeText(Outcome outcome, int language) {
    return QString::fromUtf8(identification::messageOf(outcome, static_cast<Language>(language)));
}

// The selected OptLan button of the window.
int interfaceLanguage(const QWidget& window) {
    for (int i = 0; i < LanguageCount; ++i) {
        const auto* button =
            window.findChild<QAbstractButton*>(QStringLiteral("OptLan(%1)").arg(i));
        if (button != nullptr && button->isChecked()) {
            return i;
        }
    }
    return 0;
}

// A field whose text is not the number it must be.
struct Unreadable {
    QLineEdit* field;
    const Texts& problem;
};

// What "Use" gives the window: its texts for the chosen gear.
struct Choice {
    QString mn, pn, zg, bog, zmg, w;
};

class IdentifyDialog : public QDialog {
public:
    IdentifyDialog(int language, QWidget* parent) : QDialog(parent), language_(language) {
        setObjectName(QStringLiteral("IdentifyDialog"));
        locale_.decimalSeparator = QLocale().decimalPoint().toStdString();
        form_ = new QFormLayout;
        teeth_ = addField("LabelTeeth", "TextTeeth");
        spanCount_ = addField("LabelSpanCount", "TextSpanCount");
        for (int i = 0; i < 3; ++i) {
            spans_[i] =
                addField(QStringLiteral("LabelSpan%1").arg(i), QStringLiteral("TextSpan%1").arg(i));
        }
        tip_ = addField("LabelTip", "TextTip");
        root_ = addField("LabelRoot", "TextRoot");
        form_->addRow(helixFrame());
        ball_ = addField("LabelBall", "TextBall");
        overBalls_ = addField("LabelOverBalls", "TextOverBalls");

        table_ = new QTableWidget(0, static_cast<int>(Headers.size()), this);
        table_->setObjectName(QStringLiteral("GridCandidates"));
        table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table_->setSelectionBehavior(QAbstractItemView::SelectRows);
        table_->setSelectionMode(QAbstractItemView::SingleSelection);
        table_->verticalHeader()->hide();
        table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        QStringList headers;
        for (const Texts& header : Headers) {
            headers << textIn(header, language);
        }
        table_->setHorizontalHeaderLabels(headers);
        status_ = new QLabel(this);
        status_->setObjectName(QStringLiteral("LabelStatus"));
        status_->setWordWrap(true);

        auto* identify = button("ComIdentify");
        identify->setDefault(true);
        use_ = button("ComUse");
        use_->setEnabled(false);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(identify);
        buttons->addStretch();
        buttons->addWidget(use_);
        buttons->addWidget(button("ComClose"));
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form_);
        layout->addWidget(table_);
        layout->addWidget(status_);
        layout->addLayout(buttons);

        ApplyLanguage(*this, language);
        connect(identify, &QPushButton::clicked, this, &IdentifyDialog::identifyGear);
        connect(use_, &QPushButton::clicked, this, &IdentifyDialog::useSelected);
        connect(findChild<QPushButton*>(QStringLiteral("ComClose")), &QPushButton::clicked, this,
                &QDialog::reject);
        resize(620, 640);
    }

    const std::optional<Choice>& choice() const { return choice_; }

private:
    QLineEdit* addField(const QString& label, const QString& name) {
        auto* caption = new QLabel(this);
        caption->setObjectName(label);
        auto* field = new QLineEdit(this);
        field->setObjectName(name);
        caption->setBuddy(field);
        form_->addRow(caption, field);
        return field;
    }

    QPushButton* button(const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromUtf8(name));
        b->setAutoDefault(false);
        return b;
    }

    // Spur, or helical with an optional rough angle.
    QGroupBox* helixFrame() {
        auto* frame = new QGroupBox(this);
        frame->setObjectName(QStringLiteral("FrameHelix"));
        spur_ = new QRadioButton(frame);
        spur_->setObjectName(QStringLiteral("OptSpur"));
        auto* helical = new QRadioButton(frame);
        helical->setObjectName(QStringLiteral("OptHelical"));
        helix_ = new QLineEdit(frame);
        helix_->setObjectName(QStringLiteral("TextHelix"));
        auto* layout = new QHBoxLayout(frame);
        layout->addWidget(spur_);
        layout->addWidget(helical);
        layout->addWidget(helix_);
        helical->setChecked(true);
        connect(spur_, &QRadioButton::toggled, helix_, &QLineEdit::setDisabled);
        return frame;
    }

    double number(QLineEdit* field) const {
        if (const auto value = parseNumber(field->text().toStdString(), locale_)) {
            return *value;
        }
        throw Unreadable{field, NotANumberText};
    }

    // Bounded so that k + 2 cannot overflow; the engine judges the range.
    int wholeNumber(QLineEdit* field) const {
        const double value = number(field);
        if (value != std::floor(value) || std::abs(value) > INT_MAX - 2) {
            throw Unreadable{field, NotWholeText};
        }
        return static_cast<int>(value);
    }

    std::optional<double> optionalNumber(QLineEdit* field) const {
        if (field->text().trimmed().isEmpty()) {
            return std::nullopt;
        }
        return number(field);
    }

    identification::Measurements measurements() const {
        identification::Measurements m;
        m.teeth = wholeNumber(teeth_);
        const int k = wholeNumber(spanCount_);
        m.spans = {{k, number(spans_[0])}, {k + 1, number(spans_[1])}};
        if (const auto third = optionalNumber(spans_[2])) {
            m.spans.push_back({k + 2, *third});
        }
        m.tipDiameter = number(tip_);
        m.rootDiameter = optionalNumber(root_);
        m.helixAngle = spur_->isChecked() ? std::optional<double>(0) : optionalNumber(helix_);
        if (!ball_->text().trimmed().isEmpty() || !overBalls_->text().trimmed().isEmpty()) {
            m.ball = identification::BallMeasure{number(ball_), number(overBalls_)};
        }
        return m;
    }

    QString shown(double value, int decimals) const {
        return QString::number(value, 'f', decimals)
            .replace(QLatin1Char('.'), QString::fromStdString(locale_.decimalSeparator));
    }

    void identifyGear() {
        candidates_.clear();
        table_->setRowCount(0);
        use_->setEnabled(false);
        try {
            measured_ = measurements();
        } catch (const Unreadable& bad) {
            const auto* label = qobject_cast<QLabel*>(form_->labelForField(bad.field));
            status_->setText(textIn(bad.problem, language_)
                                 .arg(label ? label->text() : bad.field->objectName()));
            bad.field->setFocus();
            bad.field->selectAll();
            return;
        }
        const identification::Identification found = identification::identify(measured_);
        candidates_ = found.candidates;
        table_->setRowCount(static_cast<int>(candidates_.size()));
        for (int row = 0; row < table_->rowCount(); ++row) {
            const Candidate& c = candidates_[row];
            const bool dp = c.diametralPitch.has_value();
            const QString cells[] = {
                textIn(SystemNames[dp], language_),
                QString::fromStdString(formatPlain(dp ? *c.diametralPitch : c.module, locale_)),
                QString::fromStdString(formatPlain(c.pressureAngle, locale_)),
                shown(c.helixAngle, 3),
                shown(c.profileShift, 4),
                shown(c.largestResidual, 2)};
            for (int column = 0; column < table_->columnCount(); ++column) {
                table_->setItem(row, column, new QTableWidgetItem(cells[column]));
            }
        }
        status_->setText(found.outcome == Outcome::Identified
                             ? textIn(Fitting, language_).arg(candidates_.size())
                             : outcomeText(found.outcome, language_));
        if (!candidates_.empty()) {
            table_->selectRow(0);
            use_->setEnabled(true);
        }
    }

    void useSelected() {
        const int row = table_->currentRow();
        if (row < 0 || row >= static_cast<int>(candidates_.size())) {
            return;
        }
        const Candidate& c = candidates_[row];
        const auto plain = [this](double value) {
            return QString::fromStdString(formatPlain(value, locale_));
        };
        // The window reads a negative module as a diametral pitch.
        choice_ = Choice{plain(c.diametralPitch ? -*c.diametralPitch : c.module),
                         plain(c.pressureAngle),
                         plain(measured_.teeth),
                         plain(c.helixAngle),
                         plain(measured_.spans.front().teeth),
                         plain(measured_.spans.front().width)};
        accept();
    }

    int language_;
    NumberLocale locale_;
    QFormLayout* form_;
    QLineEdit* teeth_;
    QLineEdit* spanCount_;
    std::array<QLineEdit*, 3> spans_{};
    QLineEdit* tip_;
    QLineEdit* root_;
    QRadioButton* spur_ = nullptr;
    QLineEdit* helix_ = nullptr;
    QLineEdit* ball_;
    QLineEdit* overBalls_;
    QTableWidget* table_;
    QLabel* status_;
    QPushButton* use_;
    identification::Measurements measured_;
    std::vector<Candidate> candidates_;
    std::optional<Choice> choice_;
};

// Types the chosen gear into the window as a user would, selects the W row and runs the
// conversion.
void useGear(QWidget& window, const Choice& gear) {
    const auto type = [&window](const char* name, const QString& typed) {
        if (auto* field = window.findChild<QLineEdit*>(QString::fromUtf8(name))) {
            field->setText(typed);
            field->setCursorPosition(0);
        }
    };
    const auto click = [&window](const char* name) {
        if (auto* button = window.findChild<QAbstractButton*>(QString::fromUtf8(name))) {
            button->click();
        }
    };
    type(fieldName(Field::MN), gear.mn);
    type(fieldName(Field::PN), gear.pn);
    type(fieldName(Field::ZG), gear.zg);
    type(fieldName(Field::BOG), gear.bog);
    type(fieldName(Field::ZMG), gear.zmg);
    click("OptS(1)");
    type(fieldName(reference(W)), gear.w);
    type(fieldName(upperTolerance(W)), QStringLiteral("0"));
    type(fieldName(lowerTolerance(W)), QStringLiteral("0"));
    click("ComGo");
}

void openDialog(QWidget& window) {
    IdentifyDialog dialog(interfaceLanguage(window), &window);
    if (dialog.exec() == QDialog::Accepted && dialog.choice()) {
        useGear(window, *dialog.choice());
    }
}

}  // namespace

void installGearIdentification(QWidget& window) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_I), &window);
    shortcut->setObjectName(QStringLiteral("ShortcutIdentify"));
    QObject::connect(shortcut, &QShortcut::activated, &window, [&window] { openDialog(window); });
    window.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&window, &QWidget::customContextMenuRequested, &window,
                     [&window](const QPoint& at) {
                         // The background: the window, its frames and labels, not its controls.
                         QWidget* under = window.childAt(at);
                         if (under != nullptr && !qobject_cast<QGroupBox*>(under) &&
                             !qobject_cast<QLabel*>(under)) {
                             return;
                         }
                         QMenu menu(&window);
                         menu.setObjectName(QStringLiteral("MenuBackground"));
                         QAction* identify =
                             menu.addAction(captionOf("IdentifyDialog", interfaceLanguage(window)) +
                                            QStringLiteral("…\tCtrl+I"));
                         identify->setObjectName(QStringLiteral("ActionIdentify"));
                         if (menu.exec(window.mapToGlobal(at)) == identify) {
                             openDialog(window);
                         }
                     });
}

}  // namespace tamrel
