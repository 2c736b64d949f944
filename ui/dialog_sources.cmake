# Connection, address, record, utility and About dialogs; the library is defined here.
