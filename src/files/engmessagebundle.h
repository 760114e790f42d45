#pragma once

#include "files/messagebundle.h"

// The English interface texts: the bundle the main window hands to every part.
class TEngMessageBundle : public TMessageBundle {
public:
    TEngMessageBundle();
};
