#pragma once

// Whether Microsoft Word is registered on this Windows, as the hand-off to it finds it: tests of
// the hand-off without a word processor run only where there is none (Wine has none).
bool WordIsInstalled();
