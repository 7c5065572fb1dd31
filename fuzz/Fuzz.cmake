# fuzz target
