#pragma once

#include <QFrame>

// A panel of the main window, drawn in one of a few looks. The window draws its own panels rather than through
// a style sheet, which would stop the window's font from reaching the panels' labels.
class PanelFrame : public QFrame
{
    Q_OBJECT

public:
    enum class Look
    {
        Card, // a light, half-transparent rounded panel through which the backdrop shows
        Bar, // the window colour with a line along the top and the bottom edge
        Bordered, // the window colour with a single line around it
    };

    explicit PanelFrame(Look look, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Look m_look;
};
