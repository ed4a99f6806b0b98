#pragma once
// How the Play... command plays a file: in the preview window, whose page
// needs a browser engine and the page's player object, or, where either is
// missing, with the system's default handler for the file.
#include <functional>
#include <string>
#include <string_view>

namespace corvane {

enum class EPlayRoute {
  kPreviewWindow,
  kDefaultHandler,
};

// isClassRegistered is asked about the class id (text without braces) of
// the player object that the file's page would create; it is not asked
// when there is no engine or no page plays the file's type.
EPlayRoute ChoosePlayRoute(std::wstring_view path, bool engineAvailable,
                           const std::function<bool(const std::wstring& classId)>& isClassRegistered);

}  // namespace corvane
