#pragma once
// Makes the compiled-in pictures, sounds and help pages available. Called
// once at start, by the program and by every test executable.
namespace zelvar {
void initResources();
}
