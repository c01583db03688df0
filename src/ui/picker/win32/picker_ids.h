#pragma once
// Controls of the shell's folder-browse dialog that the folder picker uses,
// and the path edit box it adds.

namespace ui {

constexpr int kPickerOkId = 1;            // the shell dialog's OK button
constexpr int kPickerTreeId = 14145;      // the folder tree
constexpr int kPickerStatusId = 14147;    // the status line, hidden by the picker
constexpr int kPickerPathEditId = 14148;  // the added path edit box

// The edit box lies above the tree, across its width: from 27 to 4 pixels above it.
constexpr int kPathEditTopAboveTree = 27;
constexpr int kPathEditGapAboveTree = 4;

}  // namespace ui
