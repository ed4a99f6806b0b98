// Boost.JSON's implementation, compiled once for the whole project (it is
// header-only otherwise and slow to build).
#include <boost/json/src.hpp>
