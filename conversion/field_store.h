#pragma once

#include "conversion/fields.h"

#include <string>

namespace tamrel {

// The window as the compute run sees it: named text fields, the reference option buttons, the
// automatic-diameter check box and the picture area's coordinate system.
class FieldStore {
public:
    virtual ~FieldStore() = default;

    virtual std::string text(Field field) const = 0;
    virtual void setText(Field field, const std::string& text) = 0;

    // Whether option button OptS(index) is selected; index 0 Xn, 1 W, 2 M, 3 Sn.
    virtual bool isReferenceSelected(int index) const = 0;
    // Whether Check1 ("AUTO": tip and root diameters set by the run) is checked.
    virtual bool isAutoDiameterChecked() const = 0;

    // The picture area's outer width and height as placed in the window.
    virtual double pictureOuterWidth() const = 0;
    virtual double pictureOuterHeight() const = 0;
    // Sets the picture's user coordinate system from its top-left (x1, y1) and bottom-right
    // (x2, y2) corners.
    virtual void setPictureCoordinates(float x1, float y1, float x2, float y2) = 0;
};

}  // namespace tamrel
