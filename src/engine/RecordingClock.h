// The application clock: wall-clock seconds with microsecond resolution.
#pragma once

double getNowTimeTimestamp();
