#pragma once

#include "conversion/field_store.h"
#include "conversion/number_locale.h"
#include "conversion/program_state.h"
#include "drawing/view.h"
#include "inspection/inspection.h"

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
// language and the reference quantity; the compute run reads and writes them through FieldStore.
class FormInput1 : public QWidget, public FieldStore {
    Q_OBJECT
public:
    // A random number r with 0 <= r < 1, for choosing the start-up hint.
    using RandomSource = std::function<float()>;
    using ComputeRun = std::function<void(FieldStore&, ProgramState&, const NumberLocale&)>;

    // An empty random source means a clock-seeded generator; an empty compute run means
    // runConversion.
    explicit FormInput1(RandomSource random = {}, ComputeRun compute = {},
                        QWidget* parent = nullptr);
    ~FormInput1() override;

    std::string text(Field field) const override;
    void setText(Field field, const std::string& text) override;
    bool isReferenceSelected(int index) const override;
    bool isAutoDiameterChecked() const override;
    double pictureOuterWidth() const override;
    double pictureOuterHeight() const override;
    void setPictureCoordinates(float x1, float y1, float x2, float y2) override;

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
