#include "ui/common/dialogs.h"
