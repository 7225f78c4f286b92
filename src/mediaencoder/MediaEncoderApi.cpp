#include "MediaEncoder.h"
