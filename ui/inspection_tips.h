#pragma once

#include "conversion/number_locale.h"
#include "inspection/inspection.h"

#include <QString>

#include <array>

namespace tamrel {

// The inspection aids of a successful run as tooltips in the interface language: the span for
// TextZMG, the ball for TextDPG, where the involute starts for TextZG, and the chordal values of
// the Sn result fields (middle, maximum, minimum).
struct InspectionTips {
    QString span;
    QString ball;
    QString flank;
    std::array<QString, 3> thickness;
};

InspectionTips inspectionTips(const inspection::Inspection& result,
                              const inspection::InspectionInput& input, int language,
                              const NumberLocale& locale);

}  // namespace tamrel
