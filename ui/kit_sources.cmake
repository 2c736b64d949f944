# Widget kit, prompts and splash screen; the library is defined here.
