#pragma once

#include <QFrame>

namespace ui {

// A sunken box drawn around a group of controls: decoration only. It takes no click, no hover and never the focus,
// so the controls it frames get the mouse wherever it lies among its siblings, also when it was created after them
// and lies on top. It holds no controls itself: they are its siblings, laid out over it (a control inside it would
// be passed over by the mouse with it). It goes below its siblings when it is made or moved to another parent, so
// that it does not paint over them.
class Bevel : public QFrame
{
    Q_OBJECT

public:
    explicit Bevel(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
};

} // namespace ui
