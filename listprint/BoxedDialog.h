#pragma once

class QDialog;
class QPushButton;
class QVBoxLayout;

namespace ui {
class Bevel;
} // namespace ui

// Lays out Printroll's two small dialogs: their controls in a sunken box, OK and Cancel in a row below it at the
// right, OK the default button (Enter); the dialog keeps the size its contents need. Returns the layout for the
// dialog's controls, which lie over the box as its siblings.
QVBoxLayout& layOutBoxedDialog(QDialog& dialog, ui::Bevel& box, QPushButton& ok, QPushButton& cancel);
