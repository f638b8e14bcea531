#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <span>

#include "core/mainwindow/caption_texts.h"

namespace quellix {

// Writes a caption table onto a dialog by control name; the entry named after the dialog itself
// is its title.
inline void ApplyDialogCaptions(QDialog& dialog, std::span<const CaptionEntry> captions,
                                Language language) {
    for (const CaptionEntry& entry : captions) {
        const std::string_view text = entry.text.In(language);
        const QString caption = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        const QString name =
            QString::fromUtf8(entry.control.data(), static_cast<qsizetype>(entry.control.size()));
        if (name == dialog.objectName()) {
            dialog.setWindowTitle(caption);
        } else if (auto* label = dialog.findChild<QLabel*>(name)) {
            label->setText(caption);
        } else if (auto* button = dialog.findChild<QAbstractButton*>(name)) {
            button->setText(caption);
        } else if (auto* frame = dialog.findChild<QGroupBox*>(name)) {
            frame->setTitle(caption);
        }
    }
}

}  // namespace quellix
