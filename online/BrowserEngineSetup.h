#pragma once
// How the page engine behind the browser controls behaves in this process
// (Windows only: include from _win.cpp files). Both settings are read by the
// engine when it starts, so they are made before the first control.
namespace corvane {

// Sets the engine's document mode for the running program's file name (as
// it runs: "Corvane.exe", or whatever the file was renamed to) to 11001,
// the engine's newest standards mode whatever a page's markup declares (a
// program without such an entry gets its old compatibility mode), and turns the
// engine's navigation click off for this process (the main panel reloads
// every five minutes and would click each time). Failures are logged; the
// panels then still work, only in the engine's defaults.
void PrepareBrowserEngine();

}  // namespace corvane
