#include "podpora.h"
