-- Privileges of the client's login role sa. Run after the procedure files on
-- every install and upgrade; safe to re-run.
--
-- sa reads every table and view, executes every function, and deletes only
-- from the two tables the client deletes from directly. All writing goes
-- through SECURITY DEFINER functions owned by skm_owner.

REVOKE ALL ON SCHEMA public FROM PUBLIC;
GRANT USAGE ON SCHEMA public TO sa;

REVOKE ALL ON ALL TABLES IN SCHEMA public FROM PUBLIC;
REVOKE ALL ON ALL TABLES IN SCHEMA public FROM sa;
GRANT SELECT ON ALL TABLES IN SCHEMA public TO sa;
GRANT DELETE ON mstProjectTeam, mstProjectPCDetail TO sa;

REVOKE ALL ON ALL SEQUENCES IN SCHEMA public FROM PUBLIC;
REVOKE ALL ON ALL SEQUENCES IN SCHEMA public FROM sa;

REVOKE ALL ON ALL FUNCTIONS IN SCHEMA public FROM PUBLIC;
REVOKE ALL ON ALL FUNCTIONS IN SCHEMA public FROM sa;
GRANT EXECUTE ON ALL FUNCTIONS IN SCHEMA public TO sa;

-- Functions created later are not executable by everyone until granted here.
ALTER DEFAULT PRIVILEGES IN SCHEMA public REVOKE EXECUTE ON FUNCTIONS FROM PUBLIC;
