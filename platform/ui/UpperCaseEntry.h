#pragma once

class QLineEdit;

namespace ui {

// Makes the edit take letters in upper case as they are typed or pasted; the cursor stays where the edit left it.
void enterUpperCase(QLineEdit& edit);

} // namespace ui
