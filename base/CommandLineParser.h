#pragma once
// A small command-line parser: options introduced by a prefix character and
// positional arguments, with fixed error texts and a usage text that every
// parse error carries.
#include <map>
#include <string>
#include <vector>

namespace corvane {

// One argument of an option, or one positional argument.
struct PositionalArgument {
  std::wstring name;
  std::wstring description;
  bool optional = false;
  std::wstring defaultValue;
};

class CommandLineParser {
 public:
  // prefixChars: the characters that introduce an option (the first one is
  // shown in the usage line). programName: the name used in messages; empty
  // takes the first token of the parsed command line. description: the
  // closing text of the usage.
  explicit CommandLineParser(std::wstring prefixChars, std::wstring programName = L"",
                             std::wstring description = L"");

  // Declares option -key with its arguments (in order).
  void AddOption(wchar_t key, std::wstring description, std::vector<PositionalArgument> arguments = {});
  void AddPositionalArgument(PositionalArgument argument);

  // Parses a whole process command line (the first token is the program).
  // On failure ErrorMessage() holds the message with the usage text; values
  // read so far are kept.
  bool Parse(const std::wstring& commandLine);
  const std::wstring& ErrorMessage() const { return m_error; }

  // The value of a positional argument: the given value, else its default;
  // "<UnKnOwN>" for a name that was never declared.
  std::wstring PositionalValue(const std::wstring& name) const;
  bool HasOption(wchar_t key) const;
  // The option's argument values as given (may be fewer than declared).
  std::vector<std::wstring> OptionValues(wchar_t key) const;

  std::wstring UsageText() const;

  // Splits a command line into tokens (see the rules in the .cpp).
  static std::vector<std::wstring> Tokenise(const std::wstring& commandLine);

 private:
  struct SOption {
    std::wstring description;
    std::vector<PositionalArgument> arguments;
    bool present = false;
    std::vector<std::wstring> values;
  };

  bool IsOptionToken(const std::wstring& token) const;
  bool Fail(const std::wstring& what);
  size_t ParseOption(const std::vector<std::wstring>& tokens, size_t index);
  static void AppendDefaultLine(std::wstring& text, const PositionalArgument& argument);

  std::wstring m_prefixChars;
  std::wstring m_configuredName;
  std::wstring m_description;
  std::wstring m_programName;
  std::map<wchar_t, SOption> m_options;  // key order, as the usage lists them
  std::vector<PositionalArgument> m_positionals;
  std::vector<std::wstring> m_positionalValues;
  std::wstring m_error;
};

}  // namespace corvane
