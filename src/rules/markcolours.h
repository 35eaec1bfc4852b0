#pragma once

// Colours of marked fields and of the per-field rule list, as plain RGB values so that
// the rules library stays free of QtGui; the editor turns them into QColor.

namespace kesp::rules {

struct Rgb
{
    int red;
    int green;
    int blue;
};

// How a control shows that it is marked.
enum class MarkKind {
    // Edit box, lookup combo box, date edit, data grid, memo: its own background.
    Box,
    // Option group and plain data check box: the background of the panel that holds it.
    Panel,
    // The office-style check boxes of the sections: the caption's font colour.
    OfficeCheckBox,
    // Anything else keeps its look.
    Other,
};

// The palette role a control shows while it is not marked.
enum class NormalRole {
    Window,     // the system window colour (a text box's background: QPalette::Base)
    ButtonFace, // the system button-face colour (a panel's background: QPalette::Button)
    WindowText, // the system window-text colour (a caption: QPalette::WindowText)
    Unchanged,
};

// Light pink behind a marked box or panel.
inline constexpr Rgb MarkedBackground{255, 230, 242};
// Red caption of a marked office-style check box.
inline constexpr Rgb MarkedCaption{255, 0, 0};
// Violated rules in the per-field rule list; satisfied ones use the window-text colour.
inline constexpr Rgb ViolatedRuleText{255, 0, 0};

constexpr NormalRole normalRole(MarkKind kind)
{
    switch (kind) {
    case MarkKind::Box:
        return NormalRole::Window;
    case MarkKind::Panel:
        return NormalRole::ButtonFace;
    case MarkKind::OfficeCheckBox:
        return NormalRole::WindowText;
    case MarkKind::Other:
        break;
    }
    return NormalRole::Unchanged;
}

// What a marked control shows instead of its normal role; false for MarkKind::Other.
constexpr bool markedColour(MarkKind kind, Rgb *colour)
{
    switch (kind) {
    case MarkKind::Box:
    case MarkKind::Panel:
        *colour = MarkedBackground;
        return true;
    case MarkKind::OfficeCheckBox:
        *colour = MarkedCaption;
        return true;
    case MarkKind::Other:
        break;
    }
    return false;
}

} // namespace kesp::rules
