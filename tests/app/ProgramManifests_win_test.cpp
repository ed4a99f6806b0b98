// The manifests embedded in the built programs, read back as Windows reads
// them: every setting is found by its XML namespace and its place in the
// document (a setting in the wrong namespace or element is ignored by
// Windows). Both programs declare Windows 10 support, long paths, DPI
// unawareness with GDI scaling (the skin is drawn in 96-DPI pixels), the
// version 6 common controls, and their own execution level.
#include <windows.h>

#include <gtest/gtest.h>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "base/UniqueHandle.h"
#include "tests/BuildTree_win.h"

namespace corvane {
namespace {

using boost::property_tree::ptree;

constexpr char kAsmV1[] = "urn:schemas-microsoft-com:asm.v1";
constexpr char kAsmV3[] = "urn:schemas-microsoft-com:asm.v3";
constexpr char kCompatibility[] = "urn:schemas-microsoft-com:compatibility.v1";
constexpr char kSettings2005[] = "http://schemas.microsoft.com/SMI/2005/WindowsSettings";
constexpr char kSettings2016[] = "http://schemas.microsoft.com/SMI/2016/WindowsSettings";
constexpr char kSettings2017[] = "http://schemas.microsoft.com/SMI/2017/WindowsSettings";
constexpr char kWindows10[] = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}";

// The manifest resource (RT_MANIFEST 1) of a program file, as its bytes.
std::string EmbeddedManifest(const std::wstring& program) {
  const CLibraryHandle module(LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!module) return {};
  HRSRC found = FindResourceW(module.Get(), MAKEINTRESOURCEW(1), RT_MANIFEST);
  HGLOBAL loaded = found ? LoadResource(module.Get(), found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return std::string(static_cast<const char*>(bytes), SizeofResource(module.Get(), found));
}

// "{namespace}name" for an element name under the namespace declarations in
// scope ("" is the default namespace).
using CXmlNamespaces = std::map<std::string, std::string>;
std::string QualifiedName(const std::string& name, const CXmlNamespaces& scope) {
  const size_t colon = name.find(':');
  const bool prefixed = colon != std::string::npos;
  const auto uri = scope.find(prefixed ? name.substr(0, colon) : "");
  return "{" + (uri == scope.end() ? std::string() : uri->second) + "}" + (prefixed ? name.substr(colon + 1) : name);
}

// Every element of a manifest by its path of qualified names from the root,
// "/{ns}assembly/{ns}child/...".
class CManifestElements {
 public:
  explicit CManifestElements(const std::string& xml) {
    std::istringstream stream(xml);
    namespace xml_parser = boost::property_tree::xml_parser;
    xml_parser::read_xml(stream, m_tree, xml_parser::no_comments | xml_parser::trim_whitespace);
    for (const auto& [name, child] : m_tree) Collect(name, child, "", {});
  }

  std::vector<const ptree*> At(const std::string& path) const {
    std::vector<const ptree*> found;
    const auto range = m_byPath.equal_range(path);
    for (auto it = range.first; it != range.second; ++it) found.push_back(it->second);
    return found;
  }

 private:
  void Collect(const std::string& name, const ptree& element, const std::string& parentPath, CXmlNamespaces scope) {
    if (const auto attributes = element.get_child_optional("<xmlattr>")) {
      for (const auto& [attribute, value] : *attributes) {
        if (attribute == "xmlns") scope[""] = value.data();
        if (attribute.rfind("xmlns:", 0) == 0) scope[attribute.substr(6)] = value.data();
      }
    }
    const std::string path = parentPath + "/" + QualifiedName(name, scope);
    m_byPath.emplace(path, &element);
    for (const auto& [childName, child] : element) {
      if (childName != "<xmlattr>") Collect(childName, child, path, scope);
    }
  }

  ptree m_tree;
  std::multimap<std::string, const ptree*> m_byPath;
};

std::string ManifestPath(std::initializer_list<std::pair<const char*, const char*>> steps) {
  std::string path = std::string("/{") + kAsmV1 + "}assembly";
  for (const auto& [ns, name] : steps) path += std::string("/{") + ns + "}" + name;
  return path;
}

// Setting values as Windows compares them: case and surrounding blanks aside.
std::string NormalisedValue(std::string text) {
  text.erase(0, text.find_first_not_of(" \t\r\n"));
  text.erase(text.find_last_not_of(" \t\r\n") + 1);
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::vector<std::string> ElementTexts(const std::vector<const ptree*>& elements) {
  std::vector<std::string> texts;
  for (const ptree* element : elements) texts.push_back(NormalisedValue(element->data()));
  return texts;
}

std::vector<std::string> AttributeValues(const std::vector<const ptree*>& elements, const char* name) {
  std::vector<std::string> values;
  for (const ptree* element : elements) {
    values.push_back(NormalisedValue(element->get<std::string>(std::string("<xmlattr>.") + name, "")));
  }
  return values;
}

bool HasValue(const std::vector<std::string>& values, const std::string& value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

// The execution level, from trustInfo in either of the namespaces Windows
// accepts for it.
std::vector<std::string> ExecutionLevels(const CManifestElements& manifest) {
  std::vector<std::string> levels;
  for (const char* ns : {kAsmV3, "urn:schemas-microsoft-com:asm.v2"}) {
    const std::string path = ManifestPath(
        {{ns, "trustInfo"}, {ns, "security"}, {ns, "requestedPrivileges"}, {ns, "requestedExecutionLevel"}});
    const std::vector<std::string> found = AttributeValues(manifest.At(path), "level");
    levels.insert(levels.end(), found.begin(), found.end());
  }
  return levels;
}

// The values of one of the windowsSettings.
std::vector<std::string> WindowsSetting(const CManifestElements& manifest, const char* ns, const char* name) {
  return ElementTexts(manifest.At(ManifestPath({{kAsmV3, "application"}, {kAsmV3, "windowsSettings"}, {ns, name}})));
}

std::vector<std::string> SupportedOsIds(const CManifestElements& manifest) {
  return AttributeValues(manifest.At(ManifestPath({{kCompatibility, "compatibility"}, {kCompatibility, "application"},
                                                   {kCompatibility, "supportedOS"}})),
                         "Id");
}

struct SManifestProgram {
  const char* path;  // in the build tree
  const char* executionLevel;
};

TEST(ProgramManifests, BothProgramsDeclareWindows10LongPathsDpiAndTheirExecutionLevel) {
  for (const SManifestProgram& program : {SManifestProgram{"app/Corvane.exe", "asinvoker"},
                                          SManifestProgram{"updater/updater.exe", "requireadministrator"}}) {
    SCOPED_TRACE(program.path);
    const std::wstring file = BuildTreePath(program.path);
    ASSERT_TRUE(FileExists(file)) << "not built";
    const std::string xml = EmbeddedManifest(file);
    ASSERT_FALSE(xml.empty()) << "no manifest resource 1";
    std::unique_ptr<CManifestElements> manifest;
    ASSERT_NO_THROW(manifest = std::make_unique<CManifestElements>(xml)) << xml;
    using CValues = std::vector<std::string>;

    EXPECT_TRUE(HasValue(SupportedOsIds(*manifest), kWindows10));
    EXPECT_EQ(WindowsSetting(*manifest, kSettings2016, "longPathAware"), CValues{"true"});
    // Unaware, and scaled by GDI. A dpiAwareness other than "unaware" would
    // override dpiAware on Windows 10 and make the process aware, with the
    // skin's frame drawn at its 96-DPI size on a larger screen.
    EXPECT_EQ(WindowsSetting(*manifest, kSettings2005, "dpiAware"), CValues{"false"});
    for (const std::string& awareness : WindowsSetting(*manifest, kSettings2016, "dpiAwareness")) {
      EXPECT_EQ(NormalisedValue(awareness.substr(0, awareness.find(','))), "unaware") << awareness;
    }
    EXPECT_EQ(WindowsSetting(*manifest, kSettings2017, "gdiScaling"), CValues{"true"});

    EXPECT_EQ(ExecutionLevels(*manifest), CValues{program.executionLevel});
    // The task dialogs need version 6 of the common controls.
    const std::vector<const ptree*> dependencies = manifest->At(
        ManifestPath({{kAsmV1, "dependency"}, {kAsmV1, "dependentAssembly"}, {kAsmV1, "assemblyIdentity"}}));
    EXPECT_TRUE(HasValue(AttributeValues(dependencies, "name"), "microsoft.windows.common-controls"));
    EXPECT_TRUE(HasValue(AttributeValues(dependencies, "version"), "6.0.0.0"));
  }
}

}  // namespace
}  // namespace corvane
