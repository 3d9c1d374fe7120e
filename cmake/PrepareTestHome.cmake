# Gives one test a fresh, empty home directory (-DHOME_DIR=...).
file(REMOVE_RECURSE "${HOME_DIR}")
file(MAKE_DIRECTORY "${HOME_DIR}/.config" "${HOME_DIR}/.local/share" "${HOME_DIR}/.cache"
     "${HOME_DIR}/.local/state" "${HOME_DIR}/Documents" "${HOME_DIR}/runtime")
file(CHMOD "${HOME_DIR}/runtime" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
file(WRITE "${HOME_DIR}/.config/user-dirs.dirs" "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n")
