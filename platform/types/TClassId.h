#pragma once

// Identity of a class for the IsKindOf tests of assets, windows and messages:
// the address of an object that the class alone owns.
using TClassId = const void*;
