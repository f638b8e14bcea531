#pragma once

#include "support/recording_dialog_view.h"

namespace quellix {

// A window interface that extends DialogView, its DialogView part recorded as by
// RecordingDialogView; the subclass records the extras.
template <class Interface>
class RecordingViewOf : public Interface, public RecordingDialogView {};

}  // namespace quellix
