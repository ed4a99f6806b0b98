#include "base/CommandLineParser.h"

namespace corvane {
namespace {

constexpr wchar_t kLineEnd[] = L"\r\n";

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

CommandLineParser::CommandLineParser(std::wstring prefixChars, std::wstring programName, std::wstring description)
    : m_prefixChars(std::move(prefixChars)),
      m_configuredName(std::move(programName)),
      m_description(std::move(description)) {}

void CommandLineParser::AddOption(wchar_t key, std::wstring description, std::vector<PositionalArgument> arguments) {
  SOption& option = m_options[key];
  option.description = std::move(description);
  option.arguments = std::move(arguments);
}

void CommandLineParser::AddPositionalArgument(PositionalArgument argument) {
  m_positionals.push_back(std::move(argument));
}

// The first token is the program path: quoted up to the next quote (no
// closing quote means no tokens at all) or up to the first blank. Later
// tokens: blanks are skipped; a token that begins with a quote runs to the
// next quote (or the end); any other runs to the next blank. Quotes cannot
// be escaped.
std::vector<std::wstring> CommandLineParser::Tokenise(const std::wstring& commandLine) {
  std::vector<std::wstring> tokens;
  if (commandLine.empty()) return tokens;
  size_t pos = 0;
  if (commandLine[0] == L'"') {
    const size_t close = commandLine.find(L'"', 1);
    if (close == std::wstring::npos) return tokens;
    tokens.push_back(commandLine.substr(1, close - 1));
    pos = close + 1;
  } else {
    while (pos < commandLine.size() && !IsBlank(commandLine[pos])) ++pos;
    tokens.push_back(commandLine.substr(0, pos));
  }
  for (;;) {
    while (pos < commandLine.size() && IsBlank(commandLine[pos])) ++pos;
    if (pos >= commandLine.size()) break;
    if (commandLine[pos] == L'"') {
      const size_t close = commandLine.find(L'"', pos + 1);
      const size_t end = (close == std::wstring::npos) ? commandLine.size() : close;
      tokens.push_back(commandLine.substr(pos + 1, end - pos - 1));
      pos = (close == std::wstring::npos) ? end : close + 1;
    } else {
      const size_t start = pos;
      while (pos < commandLine.size() && !IsBlank(commandLine[pos])) ++pos;
      tokens.push_back(commandLine.substr(start, pos - start));
    }
  }
  return tokens;
}

bool CommandLineParser::IsOptionToken(const std::wstring& token) const {
  return !token.empty() && m_prefixChars.find(token[0]) != std::wstring::npos;
}

bool CommandLineParser::Fail(const std::wstring& what) {
  m_error = m_programName + L" error: " + what + kLineEnd + UsageText();
  return false;
}

// Reads the arguments of the option at tokens[index]; returns the index of
// the next unread token, or 0 after a failure.
size_t CommandLineParser::ParseOption(const std::vector<std::wstring>& tokens, size_t index) {
  const std::wstring& token = tokens[index];
  const wchar_t key = token.size() > 1 ? token[1] : L'\0';
  auto found = m_options.find(key);
  if (found == m_options.end()) {
    Fail(L"Unknown option " + token + L".");
    return 0;
  }
  SOption& option = found->second;
  option.present = true;
  option.values.clear();
  size_t next = index + 1;
  while (option.values.size() < option.arguments.size() && next < tokens.size() &&
         !IsOptionToken(tokens[next])) {
    option.values.push_back(tokens[next++]);
  }
  size_t required = 0;
  for (const auto& argument : option.arguments) required += argument.optional ? 0 : 1;
  if (option.values.size() < required) {
    Fail(L"Too few arguments for option " + token + L".");
    return 0;
  }
  return next;
}

bool CommandLineParser::Parse(const std::wstring& commandLine) {
  m_error.clear();
  m_positionalValues.clear();
  const std::vector<std::wstring> tokens = Tokenise(commandLine);
  if (tokens.empty()) return true;
  m_programName = m_configuredName.empty() ? tokens[0] : m_configuredName;

  for (size_t i = 1; i < tokens.size();) {
    if (IsOptionToken(tokens[i])) {
      i = ParseOption(tokens, i);
      if (i == 0) return false;
      continue;
    }
    if (m_positionalValues.size() >= m_positionals.size()) return Fail(L"Too much arguments. ");
    m_positionalValues.push_back(tokens[i++]);
  }
  size_t required = 0;
  for (const auto& argument : m_positionals) required += argument.optional ? 0 : 1;
  if (m_positionalValues.size() < required) return Fail(L"Too few arguments.");
  return true;
}

std::wstring CommandLineParser::PositionalValue(const std::wstring& name) const {
  for (size_t i = 0; i < m_positionals.size(); ++i) {
    if (m_positionals[i].name != name) continue;
    return i < m_positionalValues.size() ? m_positionalValues[i] : m_positionals[i].defaultValue;
  }
  return L"<UnKnOwN>";
}

bool CommandLineParser::HasOption(wchar_t key) const {
  auto found = m_options.find(key);
  return found != m_options.end() && found->second.present;
}

std::vector<std::wstring> CommandLineParser::OptionValues(wchar_t key) const {
  auto found = m_options.find(key);
  return found == m_options.end() ? std::vector<std::wstring>{} : found->second.values;
}

void CommandLineParser::AppendDefaultLine(std::wstring& text, const PositionalArgument& argument) {
  if (!argument.optional) return;
  text += L"\t\t  optional argument (default='" + argument.defaultValue + L"')" + kLineEnd;
}

std::wstring CommandLineParser::UsageText() const {
  const std::wstring name = m_configuredName.empty() ? m_programName : m_configuredName;
  const auto brief = [](const PositionalArgument& a) {
    return a.optional ? L" [" + a.name + L"]" : L" " + a.name;
  };
  std::wstring text = L"Usage: " + name;
  const wchar_t prefix = m_prefixChars.empty() ? L'-' : m_prefixChars[0];
  for (const auto& [key, option] : m_options) {
    text += std::wstring(L" [") + prefix + key;
    for (const auto& argument : option.arguments) text += brief(argument);
    text += L"]";
  }
  for (const auto& argument : m_positionals) text += brief(argument);
  text += kLineEnd;

  if (!m_options.empty()) {
    text += std::wstring(kLineEnd) + L"Options:" + kLineEnd;
    for (const auto& [key, option] : m_options) {
      text += std::wstring(L"\t-") + key + L"\t  " + option.description + kLineEnd;
      for (const auto& argument : option.arguments) {
        text += L"\t " + argument.name + L"\t= " + argument.description + kLineEnd;
        AppendDefaultLine(text, argument);
      }
    }
  }
  if (!m_positionals.empty()) {
    text += std::wstring(kLineEnd) + L"Arguments:" + kLineEnd;
    for (const auto& argument : m_positionals) {
      text += L"\t" + argument.name + L"\t= " + argument.description + kLineEnd;
      AppendDefaultLine(text, argument);
    }
  }
  text += kLineEnd + m_description + kLineEnd;
  return text;
}

}  // namespace corvane
