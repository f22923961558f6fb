#include "presentation_log.h"

Q_LOGGING_CATEGORY(lcPresentation, "ostrevo.presentation", QtInfoMsg)
