# Sourced by the session scripts: one EXIT trap for the whole shell, which calls every
# function registered with at_session_exit, the last registered first, so that a
# session sourced later does not replace what an earlier one set up to stop.
# The functions must be safe to call again after they have been called by hand.
SESSION_EXIT_FUNCTIONS=${SESSION_EXIT_FUNCTIONS-}

at_session_exit() {   # function-name
    case " $SESSION_EXIT_FUNCTIONS " in *" $1 "*) return 0 ;; esac
    SESSION_EXIT_FUNCTIONS="$1 $SESSION_EXIT_FUNCTIONS"
    trap session_exit EXIT
}

session_exit() {
    local function
    for function in $SESSION_EXIT_FUNCTIONS; do "$function"; done
}
