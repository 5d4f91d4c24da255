# The network-management suite against a live Samba AD DC on its own test host
# (scripts/samba-dc.sh): one DC for the whole run, provisioned with 2,100 bulk
# users and started by a fixture, stopped and removed by another. The cases
# that use it hold the samba_dc lock, since they change one shared directory.
# Needs root (network namespaces) and the Samba server packages, which
# scripts/varnel.sh installs; off by default elsewhere.
if(NOT TARGET varnel_netapi_samba)
  return()
endif()
find_program(VARNEL_SAMBA_SERVER samba PATHS /usr/sbin /sbin)
find_program(VARNEL_SAMBA_TOOL samba-tool)
find_program(VARNEL_LDBADD ldbadd)
find_program(VARNEL_IP_TOOL ip PATHS /usr/sbin /sbin)
execute_process(COMMAND id -u OUTPUT_VARIABLE varnel_uid OUTPUT_STRIP_TRAILING_WHITESPACE)
set(varnel_live_dc_default OFF)
if(NOT varnel_uid STREQUAL "0")
  set(varnel_live_dc_missing "needs root for its network namespaces")
elseif(NOT (VARNEL_SAMBA_SERVER AND VARNEL_SAMBA_TOOL AND VARNEL_LDBADD AND VARNEL_IP_TOOL))
  set(varnel_live_dc_missing "needs samba, samba-tool, ldbadd and ip (scripts/varnel.sh)")
else()
  set(varnel_live_dc_default ON)
endif()
option(VARNEL_LIVE_DC_TESTS "Run the directory tests against a live Samba DC (root only)"
       ${varnel_live_dc_default})
if(NOT VARNEL_LIVE_DC_TESTS)
  # One skipped entry whose name says why, so that a run never looks as if the
  # live cases had passed.
  if(NOT varnel_live_dc_missing)
    set(varnel_live_dc_missing "turned off by VARNEL_LIVE_DC_TESTS")
  endif()
  add_test(NAME "samba_dc (not run: ${varnel_live_dc_missing})"
           COMMAND ${CMAKE_COMMAND} -E echo "live Samba DC tests not run")
  set_tests_properties("samba_dc (not run: ${varnel_live_dc_missing})" PROPERTIES
      SKIP_REGULAR_EXPRESSION "not run" LABELS samba)
  return()
endif()

# A link in the build tree; the DC's own folder lies where the DC can reach it
# (scripts/samba-dc.sh).
set(VARNEL_DC_DIR ${CMAKE_BINARY_DIR}/samba-dc)
set(VARNEL_DC_SCRIPT ${PROJECT_SOURCE_DIR}/scripts/samba-dc.sh)
add_test(NAME samba_dc_start
         COMMAND bash ${VARNEL_DC_SCRIPT} start ${VARNEL_DC_DIR} --users 2100 --trust 300)
set_tests_properties(samba_dc_start PROPERTIES
    FIXTURES_SETUP samba_dc RESOURCE_LOCK samba_dc TIMEOUT 900 LABELS samba)
add_test(NAME samba_dc_stop COMMAND bash ${VARNEL_DC_SCRIPT} stop ${VARNEL_DC_DIR})
set_tests_properties(samba_dc_stop PROPERTIES
    FIXTURES_CLEANUP samba_dc RESOURCE_LOCK samba_dc TIMEOUT 120 LABELS samba)

# varnel_add_samba_test(test): runs an existing test executable on the tests'
# host against the DC.
function(varnel_add_samba_test test)
  add_test(NAME ${test}_samba
           COMMAND bash ${VARNEL_DC_SCRIPT} exec ${VARNEL_DC_DIR} -- $<TARGET_FILE:${test}>)
  set(environment QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=600000
      VARNEL_TEST_TARGET=samba VARNEL_DC_DIR=${VARNEL_DC_DIR}
      VARNEL_DC_SCRIPT=${VARNEL_DC_SCRIPT})
  set_tests_properties(${test}_samba PROPERTIES
    FIXTURES_REQUIRED samba_dc RESOURCE_LOCK samba_dc TIMEOUT 900 LABELS "netapi;samba"
    ENVIRONMENT "${environment}")
endfunction()

foreach(suite test_netapi_users test_netapi_groups test_netapi_listing test_netapi_servers)
  varnel_add_samba_test(${suite})
endforeach()
# The user windows' life of one account, with a logon by smbclient.
varnel_add_samba_test(test_user_windows_against_directory)
# The group windows: create, list, add and remove a member, delete.
varnel_add_samba_test(test_group_windows_against_directory)
# The add-user window: a user with a computer account, the undo, "/REUSE".
varnel_add_samba_test(test_add_user_against_directory)
# The Terminal Server window: settings written over SAMR and read back.
varnel_add_samba_test(test_wts_against_directory)
# The computer windows: add, "Who?", properties, rename, link, resync, shares.
varnel_add_samba_test(test_computer_windows_against_directory)

# The DC killed, and frozen, in the middle of a batch delete of users and of
# computers; the case brings the shared DC back however it ends.
add_executable(test_dc_faults_against_directory test_dc_faults_against_directory.cpp)
target_link_libraries(test_dc_faults_against_directory PRIVATE varnel_testsupport
    varnel_netapi_suite varnel_users varnel_computers)
varnel_add_samba_test(test_dc_faults_against_directory)

# The program's own layers against the DC: domain list, identity in the log,
# soft delete under complexity, connection statuses, the windowless listing.
add_executable(test_samba_live test_samba_live.cpp)
target_link_libraries(test_samba_live PRIVATE varnel_testsupport varnel_directory
    varnel_netapi_suite varnel_netapi_selection varnel_platform_linux)
add_dependencies(test_samba_live varnel)
target_compile_definitions(test_samba_live PRIVATE VARNEL_EXECUTABLE="$<TARGET_FILE:varnel>")
varnel_add_samba_test(test_samba_live)
# The LDAP path: both listing paths agree; "cannot change password" enforced.
add_executable(test_samba_ldap_live test_samba_ldap_live.cpp)
target_link_libraries(test_samba_ldap_live PRIVATE varnel_netapi_suite)
varnel_add_samba_test(test_samba_ldap_live)
# The proxy logon from an ordinary account's copy to the Administrator's.
varnel_add_samba_test(test_proxy_copies)

# The account search window: real copies of the program against the DC.
add_executable(test_account_search_live test_account_search_live.cpp)
target_link_libraries(test_account_search_live PRIVATE varnel_testsupport varnel_accountlist
    varnel_netapi_suite varnel_netapi_selection)
add_dependencies(test_account_search_live varnel)
target_compile_definitions(test_account_search_live PRIVATE
    VARNEL_EXECUTABLE="$<TARGET_FILE:varnel>")
varnel_add_samba_test(test_account_search_live)
