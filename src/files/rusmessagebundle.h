#pragma once

#include "files/messagebundle.h"

// Russian translations of the panel captions and the key and tempo lists; every other key
// gives the empty text. Texts are UTF-8.
class TRusMessageBundle : public TMessageBundle {
public:
    TRusMessageBundle();
};
