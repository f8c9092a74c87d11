#pragma once

// Points the alias configuration, the settings store and the runtime folder at folders of the build tree, so that
// no test (nor a program it starts) touches a user's files. A test that needs folders of its own sets its own.
void useTestHome();
