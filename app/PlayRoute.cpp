#include "app/PlayRoute.h"

#include "app/PreviewLayout.h"
#include "app/PreviewPage.h"

namespace corvane {

EPlayRoute ChoosePlayRoute(std::wstring_view path, bool engineAvailable,
                           const std::function<bool(const std::wstring& classId)>& isClassRegistered) {
  if (!engineAvailable) return EPlayRoute::kDefaultHandler;
  const std::wstring classId = PlayerClassIdOf(PreviewKindOf(path));
  if (!isClassRegistered || !isClassRegistered(classId)) return EPlayRoute::kDefaultHandler;
  return EPlayRoute::kPreviewWindow;
}

}  // namespace corvane
