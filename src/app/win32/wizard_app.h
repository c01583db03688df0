#pragma once
// The application object: reads the command line, finds the installed
// AutoCAD releases, then shows the setup dialog (the program ends when it
// closes) or, with /S, installs without a window.

class CWizardApp {
 public:
  // Runs the program's one flow. Returns false: nothing is left to run after it.
  bool InitInstance();

  // The program's exit code once InitInstance has returned.
  int m_nExitCode = 0;
};

extern CWizardApp theApp;
