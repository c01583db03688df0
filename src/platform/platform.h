#pragma once
// The operating system as the program's logic sees it: one reference per port.

#include "platform/environment_port.h"
#include "platform/file_system_port.h"
#include "platform/process_port.h"
#include "platform/prompt_port.h"
#include "platform/registry_port.h"

namespace platform {

struct Platform {
  RegistryPort& registry;
  FileSystemPort& files;
  EnvironmentPort& environment;
  ProcessPort& processes;
  PromptPort& prompt;
};

}  // namespace platform
