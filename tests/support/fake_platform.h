#pragma once
// Every port faked, bundled as the Platform the program's logic takes.
//
// What the fakes offer:
//   registry     FakeRegistry: HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER in
//                memory, with Win32's meaning (names ignoring ASCII case,
//                creation order, handles that must be closed). Arrange with
//                AddKey / SetString / SetDword / SetWide; read back with
//                GetValue / GetWideValue / KeyExists / SubKeyNames. The view
//                root of the process's bitness (kOwnViewRoot) is
//                HKEY_LOCAL_MACHINE; kOtherViewRoot is a tree of its own.
//   files        FakeFileSystem: drives (AddDrive first), folders and files
//                (AddFolder / AddFile with attributes), Lock for a file held
//                open by another program, MarkRunning for a running
//                program's image; ReadFile / FileExists / Log and CallsOf to
//                see what was done.
//   environment  FakeEnvironment: variables, the module path and the current
//                folder, each unavailable until set; the local date
//                (SetLocalDate).
//   processes    FakeProcesses: the image names a snapshot lists, whether
//                the process is elevated, and what a restart as
//                administrator runs (SetRestartedProgram).
//   prompt       ScriptedPrompt: every message box recorded (Calls), each
//                answered from a queue (Answer); a box without an answer is
//                a test failure.
//
// Planting a fault: every fake but the prompt takes a Fault (fault_plan.h),
// naming the port call ("*": any), optionally its subject (a path, or a
// key's full name from KeyName), and how it fails:
//
//   fake.registry.Fail(Fault("OpenKey", KeyName(kHKeyLocalMachine, key)));
//   fake.files.Fail(Fault("CopyOver", "C:\\Dist\\Data\\Readme.txt").Error(32));
//   fake.files.Fail(Fault("*").Nth(12).Once());  // the 12th call from now, once
//
// A fault fails with ERROR_ACCESS_DENIED unless Error says otherwise, from
// the first matching call on unless Nth and Once narrow it; the fault
// matrix plants one per call of a whole install.

#include "platform/platform.h"
#include "support/fake_environment.h"
#include "support/fake_file_system.h"
#include "support/fake_processes.h"
#include "support/fake_registry.h"
#include "support/scripted_prompt.h"

struct FakePlatform {
  FakeRegistry registry;
  FakeFileSystem files;
  FakeEnvironment environment;
  FakeProcesses processes;
  ScriptedPrompt prompt;
  platform::Platform platform{registry, files, environment, processes, prompt};

  // Drives C and D, the program at C:\Dist\SetUp.exe, and the user's
  // application-data folder C:\Users\u\AppData\Roaming.
  void AddDrivesProgramAndAppData() {
    files.AddDrive('C');
    files.AddDrive('D');
    environment.SetModulePath("C:\\Dist\\SetUp.exe");
    files.AddFile("C:\\Dist\\SetUp.exe", "the program");
    environment.SetVariable("APPDATA", "C:\\Users\\u\\AppData\\Roaming");
    files.AddFolder("C:\\Users\\u\\AppData\\Roaming");
  }
};
