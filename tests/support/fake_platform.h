#pragma once
// Every port faked, bundled as the Platform the program's logic takes.

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
};
