#pragma once

class QDialog;
class QFrame;
class QPushButton;
class QVBoxLayout;

// Lays out Printroll's two small dialogs: their controls in a sunken box, OK and Cancel in a row below it at the
// right, OK the default button (Enter); the dialog keeps the size its contents need. Returns the box's layout, for
// the dialog's controls.
QVBoxLayout& layOutBoxedDialog(QDialog& dialog, QFrame& box, QPushButton& ok, QPushButton& cancel);
