#include "app/PlayRoute.h"

#include "app/PreviewLayout.h"
#include "app/PreviewPage.h"

namespace corvane {

EPlayRoute ChoosePlayRoute(std::wstring_view path, bool engineAvailable,
                           const std::function<bool(const std::wstring& classId)>& isClassRegistered) {
  if (!engineAvailable) return EPlayRoute::kDefaultHandler;
  const wchar_t* classId = PlayerClassIdOf(PreviewKindOf(path));
  if (!classId) return EPlayRoute::kDefaultHandler;  // no page plays this type
  if (!isClassRegistered || !isClassRegistered(classId)) return EPlayRoute::kDefaultHandler;
  return EPlayRoute::kPreviewWindow;
}

}  // namespace corvane
