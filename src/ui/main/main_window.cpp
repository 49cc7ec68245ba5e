#include "ui/main/main_window.h"
