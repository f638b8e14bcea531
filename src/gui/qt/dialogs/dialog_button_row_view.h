#pragma once

#include <functional>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace quellix {

// The OK and Cancel pair at the right of a dialog's foot. Their captions come from the dialog's
// caption table, like every other control's.
struct DialogButtonRow {
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* layout;
};

// cmdOK is the default button and runs onOk, which accepts or keeps the dialog open; cmdAnnuler
// rejects, as Escape does. Tab goes from previous to OK, then Cancel; a null previous leaves the
// controls before OK in the order they were made.
DialogButtonRow NewDialogButtonRow(QDialog& dialog, QWidget* previous, std::function<void()> onOk);

}  // namespace quellix
