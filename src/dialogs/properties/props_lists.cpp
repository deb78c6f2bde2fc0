#include "dialogs/properties/props_lists.h"

namespace dialogs {

std::string GravityWarningText() {
  return std::string("Note:  The time required to compute the gravitational attraction ") +
         "between Galaxies is related to the Square of the number of Galaxies " +
         "in the Universe.  Entering 0 will ensure that gravity computations are " +
         "bypassed entirely.  See the Online help for more information." + "\r\n\r\n" +
         "Comets will NOT appear in any of the Galaxies if a non-zero Gravity is entered.";
}

}  // namespace dialogs
