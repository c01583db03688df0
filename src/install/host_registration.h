#pragma once
// Registration of the product with the hosts: demand-load application keys
// below each chosen installation's product key, and the install folder in
// every AutoCAD profile's trusted paths. The operations themselves belong to
// SetupState.

#include "app/ansi_text.h"
#include "platform/registry_port.h"

// Appends, in enumeration order, the name of every sub-key of `key` that can
// be opened for reading.
void CollectSubKeyNames(RegistryPort& registry, RegKey key, TextList* names);
