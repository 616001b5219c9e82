#pragma once

#include <string>
#include <vector>

class QWidget;

namespace tamrel {

enum class ControlKind {
    Frame,
    Label,
    Field,
    ReadOnlyField,
    OptionButton,
    CheckBox,
    PushButton,
    Picture
};

enum ControlFlag : unsigned {
    NoFlags = 0,
    RedText = 1,
    BlackText = 2,
    WhiteBackground = 4,
    Disabled = 8,
    Checked = 16,
    ArrowCursor = 32,
};

// One control of the window. Places and sizes are in twips, measured from the
// top-left corner of the container: the window's client area, or the frame named here.
struct ControlEntry {
    std::string name;
    ControlKind kind;
    std::string container;
    int left;
    int top;
    int width;
    int height;
    std::string startText;
    std::string accessibleName;
    unsigned flags = NoFlags;
};

// 15 twips are one pixel at 96 dots per inch.
constexpr int twipsToPixels(int twips) {
    return twips / 15;
}

// The window's client area in twips.
inline constexpr int WindowWidthTwips = 7965;
inline constexpr int WindowHeightTwips = 7905;

// Members of the control arrays are named like "OptS(1)".
std::string indexedName(const char* arrayName, int index);

// Every control of the window in creation order: a frame comes before its contents. Captions that
// depend on the language start empty.
const std::vector<ControlEntry>& controlTable();

// Creates the controls of the table as children of the window or of their frame, with their
// object names, places, start texts, colours and flags.
void createControls(QWidget& window);

}  // namespace tamrel
