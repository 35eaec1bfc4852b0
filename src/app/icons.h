#pragma once

#include <QIcon>

namespace kesp::app {

// The pictures of the main window's menu items and buttons, drawn by the program.
enum class IconKind {
    Exit,
    Activities,
    Chemicals,
    Settlements,
    Sign,
    BlankDeclaration,
    BlankNotification,
    WorkingCopy,
    Import,
    Directorates,
    RemoteSupport,
    About,
    Add,
    Edit,
    Delete,
    Print,
    Xml,
};

QIcon icon(IconKind kind);

} // namespace kesp::app
