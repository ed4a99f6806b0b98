#pragma once
// The one routine through which the programs tell the user something.
//
// ShowMessage writes the text to the log at level 16, then shows it in a task
// dialog with the information icon and one OK button. The dialog is owned by
// the given window, else by the application's main window, else by the last
// active popup of the active window. The platform's task dialog is looked up
// at run time; where it is missing the installed fallback shows the message
// (the skinned task-dialog emulation installs itself there; until then a
// plain message box is used). Natively the text goes to standard error.
//
// Windows are passed as void* (an HWND) so the header stays portable.
#include <functional>
#include <string>

namespace corvane {

// title: the program's title when empty. owner: nullptr for the rules above.
void ShowMessage(const std::wstring& text, const std::wstring& title = std::wstring(),
                 void* owner = nullptr);

// Asks a question with Yes and No buttons, logged like a message; true for
// Yes. Natively (no window system) the answer is no.
bool AskQuestion(const std::wstring& text, const std::wstring& title = std::wstring(), void* owner = nullptr);
// The program's title used when a message has none (the program file's
// title until set).
void SetProgramTitle(const std::wstring& title);
std::wstring ProgramTitle();

// The application's main window, the owner when the caller names none.
void SetMessageMainWindow(void* window);
void* MessageMainWindow();

// What a message asks of the user.
enum class EMessageKind { kInformation, kYesNoQuestion };
// Shows the message when the platform has no task dialog; true when a
// question was answered Yes.
using TaskDialogFallback =
    std::function<bool(void* owner, const std::wstring& text, const std::wstring& title, EMessageKind kind)>;
// An empty function restores the plain message box.
void SetTaskDialogFallback(TaskDialogFallback fallback);
// The fallback installed (empty when none), for the platform parts.
const TaskDialogFallback& InstalledTaskDialogFallback();

// Whether messages may use the platform's task dialog (true until told
// otherwise); false shows them as a system without one would.
void SetPlatformTaskDialogAllowed(bool allowed);
bool PlatformTaskDialogAllowed();

// Whether the platform's task dialog was found (Windows: TaskDialogIndirect
// in the common-controls library; natively never).
bool IsPlatformTaskDialogAvailable();

}  // namespace corvane
