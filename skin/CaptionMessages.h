#pragma once
// The caption messages through which the language manager reads and
// replaces the caption of the program's links and image buttons (Windows
// only: include from _win.cpp files).
#include <windows.h>

#include <string>

#include "settings/TranslatableControl.h"
#include "skin/LinkLabel.h"

namespace corvane {

// Answers kMsgIsTranslatableControl, kMsgGetControlCaption and
// kMsgSetControlCaption for a control showing `caption`; a replacement is
// handed to `setCaption`. False for every other message.
template <class TSetCaption>
bool AnswerCaptionMessage(UINT message, WPARAM wParam, LPARAM lParam, const std::wstring& caption,
                          TSetCaption&& setCaption, LRESULT& result) {
  switch (message) {
    case kMsgIsTranslatableControl:
      result = 1;
      return true;
    case kMsgGetControlCaption:
      result = static_cast<LRESULT>(
          CopyLabelToBuffer(caption, reinterpret_cast<wchar_t*>(lParam), static_cast<size_t>(wParam)));
      return true;
    case kMsgSetControlCaption:
      setCaption(lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"");
      result = TRUE;
      return true;
    default:
      return false;
  }
}

}  // namespace corvane
