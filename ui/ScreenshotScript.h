#pragma once
// A hook for scripts/screenshot: when VAEL_SCREENSHOT_SCRIPT is set, the
// window plays its steps once the event loop runs, as a user would. Steps
// are separated by ';':
//   book:TITLE      choose a book ("book:" alone takes the first)
//   chapter:TITLE   choose a chapter ("chapter:" alone takes the first)
//   next            Generate next
//   page            Generate page
//   log             press the Log button
//   info            press the Chapter info button
//   help            press the Help button
//   close           press the Close button (ends the program)
//   check:N         check the history entry at row N
//   done:FILE       create FILE, so the script knows the window is ready

class TForm1;

namespace vael::ui {

void RunScreenshotScript(TForm1& window);

}  // namespace vael::ui
