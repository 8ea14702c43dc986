// The stock terrain set's role table (sysdefs/K2T.roles), read off the terrain catalogue so that
// it names exactly the places that hold each kind of picture.
#pragma once

#include "generate/role_table.h"

namespace k2stock {

k2::RoleTable StockRoleTable();

} // namespace k2stock
