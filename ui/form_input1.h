#pragma once

#include "conversion/conversion_result.h"
#include "conversion/inputs.h"
#include "conversion/number_locale.h"
#include "drawing/view.h"
#include "inspection/inspection.h"
#include "ui/fields.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <utility>

class QCheckBox;
class QLineEdit;
class QTimer;

namespace tamrel {

class PicGear;
class OptionGroup;

// The program's one window. Its fields hold every input and result, its option buttons the
// language and the reference quantity; a compute run reads its inputs from them, and its result is
// written back into them.
class FormInput1 : public QWidget {
    Q_OBJECT
public:
    // A random number r with 0 <= r < 1, for choosing the start-up hint.
    using RandomSource = std::function<float()>;
    using ComputeRun = std::function<ConversionResult(const ConversionInput&)>;

    // An empty random source means a clock-seeded generator; an empty compute run means
    // runConversion.
    explicit FormInput1(RandomSource random = {}, ComputeRun compute = {},
                        QWidget* parent = nullptr);
    ~FormInput1() override;

    std::string text(Field field) const;
    // Sets a field's text and shows it from its first character.
    void setText(Field field, const std::string& text);

private:
    void createGroups();
    void connectControls();
    void watchFields();
    void startUp(const RandomSource& random);

    void ComGo_Click();
    void SelectReference();
    void Check1_Click();
    void Check3_Click();
    void TimerPicgear_Timer();
    ConversionInput conversionInput() const;
    void showResult(const ConversionResult& result);
    void showInspectionTips();

    QLineEdit* field(Field f) const { return fields_[indexOf(f)]; }
    template <class Control> Control* control(const std::string& name) const;

    ComputeRun compute_;
    ProgramState state_;
    ViewState view_;
    NumberLocale locale_;
    std::array<QLineEdit*, FieldCount> fields_{};
    PicGear* picGear_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QCheckBox* check2_ = nullptr;
    QCheckBox* check3_ = nullptr;
    QTimer* timer_ = nullptr;
    OptionGroup* languages_ = nullptr;
    OptionGroup* references_ = nullptr;
    bool computing_ = false;
    // The inspection aids of the last successful run, shown in tooltips in the chosen language.
    std::optional<std::pair<inspection::InspectionInput, inspection::Inspection>> inspected_;
};

}  // namespace tamrel
