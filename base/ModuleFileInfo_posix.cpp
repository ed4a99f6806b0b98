#include "base/ModuleFileInfo.h"

namespace corvane {

// Native programs carry no version resource: every value is empty.
CModuleFileInfo::CModuleFileInfo(void* module) : m_fileName(CF3DFileName::FromModule(module)) {}

std::wstring CModuleFileInfo::GetString(const std::wstring&) const { return {}; }

}  // namespace corvane
