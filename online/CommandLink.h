#pragma once
// Links in our pages that ask the program to do something instead of
// loading a page: "tavrel:<name>=<command>><argument></element>", optionally
// followed by "<browser><name></browser>".
#include <optional>
#include <string>

namespace corvane {

struct SCommandLink {
  std::wstring command;   // "open", "download", "stop", "refresh", "back", "forward", …
  std::wstring argument;  // trimmed of blanks
  std::wstring browser;   // empty when the link names none
};

// Whether the address uses the "tavrel:" scheme (any case).
bool IsCommandLink(const std::wstring& url);

// The parts of a command link; nullopt for other addresses and for links
// without "=" or without the ">" after the command.
std::optional<SCommandLink> ParseCommandLink(const std::wstring& url);

}  // namespace corvane
