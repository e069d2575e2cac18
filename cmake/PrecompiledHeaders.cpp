// The source of the targets that make the precompiled headers; it has nothing of its own.
