#pragma once
// Host discovery: the installed AutoCAD releases below HKEY_LOCAL_MACHINE,
// each with its folder ("AcadLocation") and the key that holds it.

#include "base/installations.h"
#include "platform/registry_port.h"

namespace discovery {

// Every release below SOFTWARE\Wow6432Node\Autodesk\AutoCAD (2007 and 2008
// only) and below SOFTWARE\Autodesk\AutoCAD, in that order.
base::Installations FindInstallations(platform::RegistryPort& registry);

}  // namespace discovery
