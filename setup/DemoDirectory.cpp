#include "setup/DemoDirectory.h"

namespace DemoDirectory {

QList<TDepartmentRec> departments()
{
    return {
        { "ACCOUNTING", "4100 OR 4101", "(555) 010-4199", "Head Office, 2nd Floor", "1200 Harbor Road" },
        { "ADMINISTRATION", "4000", "(555) 010-4099", "Head Office, 3rd Floor", "1200 Harbor Road" },
        { "CUSTOMER SERVICE", "4200 *", "(555) 010-4299", "Service Centre", "14 Mill Lane" },
        { "ENGINEERING", "4300", "(555) 010-4399", "Plant 2, Laboratory Wing", "88 Foundry Street" },
        { "HUMAN RESOURCES", "4400; 4401", "(555) 010-4499", "Head Office, 1st Floor", "1200 Harbor Road" },
        { "INFORMATION TECHNOLOGY", "4500", "", "Head Office, Lower Level", "1200 Harbor Road" },
        { "MANUFACTURING", "4600, 4601", "(555) 010-4699", "Plant 1", "90 Foundry Street" },
        { "SALES", "(555) 010-4700 EXT 1", "(555) 010-4799", "Head Office, 4th Floor", "1200 Harbor Road" },
        { "SHIPPING AND RECEIVING", "4800", "(555) 010-4899", "Warehouse B", "92 Foundry Street" },
    };
}

QList<TEmployeeRec> employees()
{
    // Department, Name, Extension, Cellular, Pager, HomePhone, EMail, Title
    return {
        { "ADMINISTRATION", "ABERNATHY, MARGARET", "4001 *", "(555) 012-3301", "", "(555) 014-7781",
            "m.abernathy@harrowgate.example", "PRESIDENT" },
        { "ADMINISTRATION", "COLLINS, DAVID", "4002", "(555) 012-3302", "(555) 013-0002", "",
            "d.collins@harrowgate.example", "SENIOR V.P. OPERATIONS" },
        { "ADMINISTRATION", "FITZGERALD, NORA", "4003 OR 4010", "", "", "(555) 014-2203",
            "n.fitzgerald@harrowgate.example", "EXECUTIVE ASSISTANT" },
        { "ADMINISTRATION", "OKAFOR, CHINEDU", "4004", "(555) 012-3304", "", "", "c.okafor@harrowgate.example",
            "Office Manager" },
        { "ADMINISTRATION", "YAMADA, KEIKO", "4005 *", "", "", "", "k.yamada@harrowgate.example", "RECEPTIONIST" },

        { "ACCOUNTING", "BRENNAN, PATRICK", "4101 *", "(555) 012-3311", "(555) 013-0011", "(555) 014-5511",
            "p.brennan@harrowgate.example", "CONTROLLER" },
        { "ACCOUNTING", "DUBOIS, CLAIRE", "4102", "", "", "", "c.dubois@harrowgate.example", "ASSISTANT CONTROLLER" },
        { "ACCOUNTING", "GRUBER, ANNA", "4103", "", "", "(555) 014-5513", "a.gruber@harrowgate.example", "ACCOUNTANT" },
        { "ACCOUNTING", "HALVORSEN, ERIK", "4104; 4105", "", "", "", "e.halvorsen@harrowgate.example",
            "ACCOUNTS PAYABLE CLERK" },
        { "ACCOUNTING", "MENDOZA, ROSA", "4106", "(555) 012-3316", "", "", "r.mendoza@harrowgate.example",
            "PAYROLL TEAM LEADER" },
        { "ACCOUNTING", "PRICE, WILLIAM", "4107 *", "", "", "", "w.price@harrowgate.example",
            "Vice President, Finance" },

        { "CUSTOMER SERVICE", "ANDERSON, LISA", "4201 *", "(555) 012-3321", "", "", "l.anderson@harrowgate.example",
            "DIRECTOR OF CUSTOMER SERVICE" },
        { "CUSTOMER SERVICE", "BAKER, THOMAS", "4202", "", "(555) 013-0022", "", "t.baker@harrowgate.example",
            "TEAM LEADER, DAY SHIFT" },
        { "CUSTOMER SERVICE", "CHEN, WEI", "4203", "", "", "", "w.chen@harrowgate.example",
            "Team Leader, Night Shift" },
        { "CUSTOMER SERVICE", "DIAZ, MIGUEL", "4204 *", "", "", "", "m.diaz@harrowgate.example",
            "SERVICE REPRESENTATIVE" },
        { "CUSTOMER SERVICE", "EVANS, GRACE", "4205", "", "", "(555) 014-5525", "g.evans@harrowgate.example",
            "SERVICE REPRESENTATIVE" },
        { "CUSTOMER SERVICE", "FOSTER, JAMES", "4206", "", "", "", "j.foster@harrowgate.example",
            "SERVICE REPRESENTATIVE" },

        { "ENGINEERING", "KOWALSKI, PIOTR", "4301 *", "(555) 012-3331", "(555) 013-0031", "",
            "p.kowalski@harrowgate.example", "VP ENGINEERING" },
        { "ENGINEERING", "LINDQVIST, ASTRID", "4302", "(555) 012-3332", "", "", "a.lindqvist@harrowgate.example",
            "DIRECTOR, RESEARCH" },
        { "ENGINEERING", "MURPHY, SEAN", "4303", "", "", "", "s.murphy@harrowgate.example", "SENIOR ENGINEER" },
        { "ENGINEERING", "NAKAMURA, HIROSHI", "4304 OR 4305", "", "", "(555) 014-5534", "h.nakamura@harrowgate.example",
            "DESIGN TEAM LEADER" },
        { "ENGINEERING", "OLSEN, INGRID", "4306", "", "", "", "i.olsen@harrowgate.example", "ENGINEER" },
        { "ENGINEERING", "PATEL, RAVI", "4307 *", "(555) 012-3337", "", "", "r.patel@harrowgate.example", "ENGINEER" },
        { "ENGINEERING", "QUINN, MAUREEN", "4308", "", "", "", "m.quinn@harrowgate.example", "Director of Quality" },
        { "ENGINEERING", "ROSSI, MARCO", "4309", "", "", "", "m.rossi@harrowgate.example", "TEST TECHNICIAN" },

        { "HUMAN RESOURCES", "SANTOS, BEATRIZ", "4401 *", "(555) 012-3341", "", "", "b.santos@harrowgate.example",
            "DIRECTOR OF HUMAN RESOURCES" },
        { "HUMAN RESOURCES", "TURNER, KEVIN", "4402", "", "", "(555) 014-5542", "k.turner@harrowgate.example",
            "RECRUITER" },
        { "HUMAN RESOURCES", "UNDERWOOD, HELEN", "4403, 4404", "", "", "", "h.underwood@harrowgate.example",
            "BENEFITS ADMINISTRATOR" },

        { "INFORMATION TECHNOLOGY", "VARGA, ZOLTAN", "4501", "(555) 012-3351", "(555) 013-0051", "",
            "z.varga@harrowgate.example", "ASSISTANT DIRECTOR, SYSTEMS" },
        { "INFORMATION TECHNOLOGY", "WEBER, JONAS", "4502 *", "(555) 012-3352", "(555) 013-0052", "",
            "j.weber@harrowgate.example", "NETWORK TEAM LEADER" },
        { "INFORMATION TECHNOLOGY", "XU, LIN", "4503", "", "", "", "l.xu@harrowgate.example", "HELP DESK ANALYST" },
        { "INFORMATION TECHNOLOGY", "YOUNG, SAMUEL", "4504", "", "", "(555) 014-5554", "s.young@harrowgate.example",
            "DATABASE ADMINISTRATOR" },

        { "MANUFACTURING", "ZIMMERMANN, KLAUS", "4601 *", "(555) 012-3361", "(555) 013-0061",
            "(555) 014-5561 OR (555) 014-5562", "k.zimmermann@harrowgate.example", "SVP MANUFACTURING" },
        { "MANUFACTURING", "ALVAREZ, JORGE", "4602", "", "(555) 013-0062", "", "j.alvarez@harrowgate.example",
            "PRODUCTION TEAM LEADER" },
        { "MANUFACTURING", "BRENNAN, SIOBHAN", "4603", "", "", "", "s.brennan@harrowgate.example", "MACHINIST" },
        { "MANUFACTURING", "CARTER, DENISE", "4604", "", "", "", "d.carter@harrowgate.example", "QUALITY INSPECTOR" },
        { "MANUFACTURING", "DOYLE, MARTIN", "4605 *", "", "", "(555) 014-5565", "m.doyle@harrowgate.example",
            "MAINTENANCE MECHANIC" },

        { "SALES", "EDWARDS, KAREN", "(555) 010-4700 EXT 701", "(555) 012-3371", "", "", "k.edwards@harrowgate.example",
            "V.P. SALES AND MARKETING" },
        { "SALES", "FERNANDEZ, LUIS", "(555) 010-4700 EXT 702 *", "(555) 012-3372", "", "",
            "l.fernandez@harrowgate.example", "DIRECTOR OF SALES, EAST" },
        { "SALES", "GALLAGHER, ROSE", "(555) 010-4700 EXT 703", "(555) 012-3373", "", "(555) 014-5573",
            "r.gallagher@harrowgate.example", "ACCOUNT MANAGER" },
        { "SALES", "HUGHES, OWEN", "(555) 010-4700 EXT 704", "", "", "", "o.hughes@harrowgate.example",
            "SALES REPRESENTATIVE" },
        { "SALES", "IVANOVA, ELENA", "(555) 010-4700 EXT 705", "", "", "", "e.ivanova@harrowgate.example",
            "sales representative" },

        { "SHIPPING AND RECEIVING", "JOHNSON, ROBERT", "4801 *", "", "(555) 013-0081", "",
            "r.johnson@harrowgate.example", "SHIPPING TEAM LEADER" },
        { "SHIPPING AND RECEIVING", "KING, ALICE", "4802", "", "", "", "a.king@harrowgate.example", "SHIPPING CLERK" },

        // FACILITIES has no row in department.DB: he shows in the lists of all employees, in no department's.
        { "FACILITIES", "LAMBERT, PAUL", "4900", "(555) 012-3390", "", "", "p.lambert@harrowgate.example",
            "FACILITIES COORDINATOR" },
    };
}

} // namespace DemoDirectory
