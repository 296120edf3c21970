// Events that go nowhere, keeping only which messages were shown.
#include "game/events.h"

void SilentEvents::ShowMessage(MessageId id) {
    const int n = MessageNumber(id);
    if (n >= 0 && n < 200) shown_[n] = true;
}

bool SilentEvents::MessageShown(MessageId id) const {
    const int n = MessageNumber(id);
    return n >= 0 && n < 200 && shown_[n];
}
