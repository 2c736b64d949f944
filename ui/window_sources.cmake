# Main window, panels, dialogs and main(); defined here.
